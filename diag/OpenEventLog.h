#pragma once

class UserFeedback;

// Opens "velmora.log" in the program's folder and writes its opening line. When the file cannot be
// created the user is told, and enableLogging is switched off (and so saved as off at exit).
void openEventLog(int& enableLogging, UserFeedback& feedback);
