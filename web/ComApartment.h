#pragma once
#include <cstdint>

// COM's set-up of the calling thread, as two calls a test can stand in for.
struct ComApartmentCalls {
    std::int32_t (*initialize)();  // CoInitialize(nullptr): S_OK, S_FALSE, or a failure code (an HRESULT)
    void (*uninitialize)();        // CoUninitialize()
};

// The calls of the Windows build: CoInitialize and CoUninitialize.
const ComApartmentCalls& systemComApartmentCalls();

// The thread's single-threaded COM apartment for as long as the object lives.
//
// COM counts the initialisations of a thread: every CoInitialize that succeeds, S_FALSE ("this
// thread was set up already") included, must be matched by one CoUninitialize, and one that fails
// must not be. A failed CoInitialize (RPC_E_CHANGED_MODE: someone put the thread into the
// multi-threaded apartment before us) leaves COM as it was, and uninitialising anyway would tear
// down the set-up that belongs to someone else.
class ComApartment {
public:
    explicit ComApartment(const ComApartmentCalls& calls);
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
    ~ComApartment();

    // True when the thread is in a single-threaded apartment of ours to leave again, so that COM
    // objects made on it call back on this thread.
    bool entered() const { return initializeResult >= 0; }
    std::int32_t result() const { return initializeResult; }

private:
    ComApartmentCalls calls;
    std::int32_t initializeResult;
};
