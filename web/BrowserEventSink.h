#pragma once
#include <windows.h>
#include <oaidl.h>

#include <functional>

// Receives the events of the browser window that View HTML Pages opens. It answers a request for
// DWebBrowserEvents2 with its dispatch interface, so that it can be connected to the browser as
// that event interface. Of all the events it knows one member, "OnQuit" (dispatch ID 253): the
// browser is closing, and onQuit runs; every other event is a member it does not have.
//
// The sink is a COM object: it lives as long as anyone holds a reference, its creator or a browser
// it is connected to. An owner that goes while a browser may still hold the sink calls detach()
// first, so that a late event no longer reaches it.
class CEventSink final : public IDispatch {
public:
    static constexpr DISPID OnQuitId = 253;

    // A new sink with one reference, the caller's.
    static CEventSink* create(std::function<void()> onQuit);

    void detach();

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    // IDispatch
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                            DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags, DISPPARAMS* parameters,
                                     VARIANT* result, EXCEPINFO* exception, UINT* argumentError) override;

private:
    explicit CEventSink(std::function<void()> onQuit) : onQuit(std::move(onQuit)) {}
    ~CEventSink() = default;

    LONG references = 1;
    std::function<void()> onQuit;
};
