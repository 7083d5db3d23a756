#include "web/BrowserEventSink.h"

#include <exdisp.h>

#include <gtest/gtest.h>

#include <memory>

#include "web/BrowserAutomation.h"
#include "web/ComPtr.h"

namespace {

// A sink whose OnQuit counts its calls; the counter lives as long as the sink does.
struct CountingSink {
    std::shared_ptr<int> quits = std::make_shared<int>(0);
    std::weak_ptr<int> alive = quits;
    ComPtr<CEventSink> sink{CEventSink::create([quits = quits] { ++*quits; })};
};

HRESULT invoke(IDispatch& sink, DISPID id) {
    DISPPARAMS none{};
    VARIANT result;
    VariantInit(&result);
    return sink.Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &none, &result, nullptr, nullptr);
}

ULONG referenceCount(IUnknown& object) {
    object.AddRef();
    return object.Release();
}

}  // namespace

TEST(BrowserEventSink, IsConnectableAsTheBrowsersEventInterface) {
    CountingSink counting;
    struct Case {
        const char* name;
        const IID& iid;
        bool answered;
    };
    const Case cases[] = {
        {"IUnknown", IID_IUnknown, true},
        {"IDispatch", IID_IDispatch, true},
        {"DWebBrowserEvents2", DIID_DWebBrowserEvents2, true},
        {"DWebBrowserEvents, the old event interface", DIID_DWebBrowserEvents, false},
        {"IWebBrowser2", IID_IWebBrowser2, false},
        {"IConnectionPoint", IID_IConnectionPoint, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        void* object = reinterpret_cast<void*>(1);
        HRESULT result = counting.sink->QueryInterface(c.iid, &object);
        if (c.answered) {
            EXPECT_EQ(result, S_OK);
            EXPECT_EQ(object, static_cast<IDispatch*>(counting.sink.get()));
            EXPECT_EQ(referenceCount(*counting.sink), 2u) << "an answered request holds a reference";
            static_cast<IUnknown*>(object)->Release();
        } else {
            EXPECT_EQ(result, E_NOINTERFACE);
            EXPECT_EQ(object, nullptr);
        }
        EXPECT_EQ(referenceCount(*counting.sink), 1u);
    }
}

TEST(BrowserEventSink, OnlyOnQuitIsAMember) {
    CountingSink counting;
    struct Case {
        const char* name;
        DISPID id;
        HRESULT result;
        int quits;
    };
    const Case cases[] = {
        {"OnQuit", 253, S_OK, 1},
        {"BeforeNavigate2", 250, DISP_E_MEMBERNOTFOUND, 0},
        {"NavigateError", 271, DISP_E_MEMBERNOTFOUND, 0},
        {"DocumentComplete", 259, DISP_E_MEMBERNOTFOUND, 0},
        {"OnVisible", 254, DISP_E_MEMBERNOTFOUND, 0},
        {"the default member", DISPID_VALUE, DISP_E_MEMBERNOTFOUND, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        *counting.quits = 0;
        EXPECT_EQ(invoke(*counting.sink, c.id), c.result);
        EXPECT_EQ(*counting.quits, c.quits);
    }

    UINT typeInfos = 7;
    EXPECT_EQ(counting.sink->GetTypeInfoCount(&typeInfos), S_OK);
    EXPECT_EQ(typeInfos, 0u);
    for (const wchar_t* known : {L"OnQuit", L"onquit"}) {
        LPOLESTR names[] = {const_cast<LPOLESTR>(known)};
        DISPID id = 0;
        EXPECT_EQ(counting.sink->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id), S_OK);
        EXPECT_EQ(id, 253);
    }
    LPOLESTR unknown[] = {const_cast<LPOLESTR>(L"OnVisible")};
    DISPID id = 0;
    EXPECT_EQ(counting.sink->GetIDsOfNames(IID_NULL, unknown, 1, LOCALE_USER_DEFAULT, &id), DISP_E_UNKNOWNNAME);
    EXPECT_EQ(id, DISPID_UNKNOWN);
}

// The view goes while a browser might still hold the sink: later events reach nobody.
TEST(BrowserEventSink, DetachedSinkNoLongerCallsItsOwner) {
    CountingSink counting;
    counting.sink->detach();
    EXPECT_EQ(invoke(*counting.sink, 253), S_OK);
    EXPECT_EQ(*counting.quits, 0);
}

// The last reference goes when its holder is gone, and not before, even when OnQuit itself lets go
// of the browser that holds the sink.
TEST(BrowserEventSink, LivesAsLongAsSomeoneHoldsIt) {
    auto quits = std::make_shared<int>(0);
    std::weak_ptr<int> alive = quits;
    IDispatch* heldByBrowser = nullptr;
    CEventSink* sink = CEventSink::create([quits, &heldByBrowser] {
        ++*quits;
        // The owner releases the browser, and the browser its connection to the sink.
        std::exchange(heldByBrowser, nullptr)->Release();
    });
    quits.reset();
    ASSERT_EQ(sink->QueryInterface(DIID_DWebBrowserEvents2, reinterpret_cast<void**>(&heldByBrowser)), S_OK);
    EXPECT_EQ(sink->Release(), 1u) << "the creator let go; the browser holds on";
    EXPECT_FALSE(alive.expired());

    EXPECT_EQ(invoke(*sink, 253), S_OK);
    EXPECT_EQ(heldByBrowser, nullptr);
    EXPECT_TRUE(alive.expired()) << "the sink outlived its last reference";
}

// Connected to a real browser object (the embeddable browser control, which needs no window),
// the connection holds the sink, and disconnecting lets go of it.
TEST(BrowserEventSink, ConnectionToABrowserHoldsTheSinkUntilDisconnected) {
    ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
    {
        ComPtr<IWebBrowser2> browser;
        if (FAILED(CoCreateInstance(CLSID_WebBrowser, nullptr, CLSCTX_INPROC_SERVER, IID_IWebBrowser2,
                                    reinterpret_cast<void**>(browser.put())))) {
            CoUninitialize();
            GTEST_SKIP() << "no browser control on this system";
        }
        CountingSink counting;
        DWORD cookie = connectEventSink(*browser, *counting.sink);
        EXPECT_NE(cookie, 0u);
        EXPECT_GT(referenceCount(*counting.sink), 1u) << "the connection holds no reference";
        disconnectEventSink(*browser, cookie);
        EXPECT_EQ(referenceCount(*counting.sink), 1u) << "disconnecting kept a reference";
    }
    CoUninitialize();
}
