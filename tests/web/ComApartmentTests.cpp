#include "web/ComApartment.h"

#include <gtest/gtest.h>

namespace {

// COM's calls, counted, with the result the test asks CoInitialize to give.
struct FakeCom {
    static inline std::int32_t initializeResult = 0;
    static inline int initialized = 0;
    static inline int uninitialized = 0;
    static void reset(std::int32_t result) {
        initializeResult = result;
        initialized = 0;
        uninitialized = 0;
    }
};

const ComApartmentCalls fakeCalls{
    [] {
        ++FakeCom::initialized;
        return FakeCom::initializeResult;
    },
    [] { ++FakeCom::uninitialized; },
};

constexpr std::int32_t hresult(std::uint32_t code) { return std::int32_t(code); }

}  // namespace

TEST(ComApartment, LeavesOnlyTheApartmentItEntered) {
    struct Case {
        const char* name;
        std::int32_t result;
        bool entered;
        int uninitialized;
    };
    const Case cases[] = {
        {"S_OK: entered", 0, true, 1},
        {"S_FALSE: the thread was set up already, and COM counted this call too", 1, true, 1},
        {"RPC_E_CHANGED_MODE: the thread is in the multi-threaded apartment", hresult(0x80010106), false, 0},
        {"E_OUTOFMEMORY", hresult(0x8007000E), false, 0},
        {"E_UNEXPECTED", hresult(0x8000FFFF), false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakeCom::reset(c.result);
        {
            ComApartment apartment(fakeCalls);
            EXPECT_EQ(FakeCom::initialized, 1);
            EXPECT_EQ(apartment.entered(), c.entered);
            EXPECT_EQ(apartment.result(), c.result);
            EXPECT_EQ(FakeCom::uninitialized, 0) << "left while still in use";
        }
        EXPECT_EQ(FakeCom::initialized, 1);
        EXPECT_EQ(FakeCom::uninitialized, c.uninitialized);
    }
}
