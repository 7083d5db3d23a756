#include "web/ComApartment.h"

#include <objbase.h>

#include <gtest/gtest.h>

#include <thread>

namespace {

// Each case runs on a thread of its own, so that the COM state of the test's own thread is left alone.
template <class Body>
void onFreshThread(Body body) {
    std::thread(body).join();
}

// The apartment the calling thread is in, or -1 when COM is not set up on it.
int apartmentType() {
    APTTYPE type{};
    APTTYPEQUALIFIER qualifier{};
    return CoGetApartmentType(&type, &qualifier) == S_OK ? int(type) : -1;
}

}  // namespace

TEST(ComApartmentWin32, EntersTheSingleThreadedApartmentAndLeavesItAsItFoundIt) {
    onFreshThread([] {
        ASSERT_EQ(apartmentType(), -1);
        {
            ComApartment apartment(systemComApartmentCalls());
            EXPECT_EQ(apartment.result(), S_OK);
            EXPECT_TRUE(apartment.entered());
            int type = apartmentType();
            EXPECT_TRUE(type == APTTYPE_STA || type == APTTYPE_MAINSTA) << type;
            {
                ComApartment again(systemComApartmentCalls());
                EXPECT_EQ(again.result(), S_FALSE);
                EXPECT_TRUE(again.entered());
            }
            EXPECT_NE(apartmentType(), -1) << "the inner apartment left the outer one's set-up";
        }
        EXPECT_EQ(apartmentType(), -1) << "COM stayed set up on the thread";
    });
}

// Someone else put the thread into the multi-threaded apartment: CoInitialize fails, and the
// apartment must not be torn down under its owner.
TEST(ComApartmentWin32, LeavesAMultiThreadedApartmentOfSomeoneElseAlone) {
    onFreshThread([] {
        ASSERT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_OK);
        {
            ComApartment apartment(systemComApartmentCalls());
            EXPECT_EQ(apartment.result(), RPC_E_CHANGED_MODE);
            EXPECT_FALSE(apartment.entered());
        }
        EXPECT_EQ(apartmentType(), APTTYPE_MTA) << "the owner's apartment was torn down";
        CoUninitialize();
    });
}
