#include "diag/OpenEventLog.h"

#include "diag/EventLog.h"
#include "platform/System.h"
#include "platform/UserFeedback.h"

void openEventLog(int& enableLogging, UserFeedback& feedback) {
    if (eventLog.open(programFolder() + "\\velmora.log")) {
        eventLog.writeMessage("Log file opened at " + formatTimeStamp(localTimeNow()));
        return;
    }
    feedback.messageBox("Log Creation Error", "The event log failed to be created. Logging will be disabled.",
                        msgbox::Ok | msgbox::IconError);
    enableLogging = 0;
}
