#include "web/ComApartment.h"

ComApartment::ComApartment(const ComApartmentCalls& calls) : calls(calls), initializeResult(calls.initialize()) {}

ComApartment::~ComApartment() {
    if (entered())
        calls.uninitialize();
}
