#include "web/ComApartment.h"

#include <objbase.h>

const ComApartmentCalls& systemComApartmentCalls() {
    static const ComApartmentCalls calls{
        []() -> std::int32_t { return CoInitialize(nullptr); },
        [] { CoUninitialize(); },
    };
    return calls;
}
