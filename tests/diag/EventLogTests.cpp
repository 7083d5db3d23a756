#include <gtest/gtest.h>

#include "diag/EventLog.h"
#include "diag/OpenEventLog.h"
#include "platform/System.h"
#include "tests/support/ScriptedFeedback.h"
#include "tests/support/TempFolder.h"

namespace {
std::tm timeOf(int year, int month, int day, int weekday, int hour, int minute, int second) {
    std::tm t{};
    t.tm_year = year - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    t.tm_wday = weekday;
    t.tm_hour = hour;
    t.tm_min = minute;
    t.tm_sec = second;
    return t;
}
}  // namespace

TEST(TimeStamp, TwelveHourClockWithEnglishNames) {
    struct Case {
        std::tm time;
        const char* text;
    } cases[] = {
        {timeOf(2026, 12, 8, 2, 21, 41, 7), "09:41:07 PM, Tuesday, December 08, 2026"},
        {timeOf(2027, 1, 3, 0, 0, 5, 0), "12:05:00 AM, Sunday, January 03, 2027"},
        {timeOf(2026, 7, 31, 5, 12, 0, 59), "12:00:59 PM, Friday, July 31, 2026"},
        {timeOf(2026, 5, 16, 6, 11, 59, 59), "11:59:59 AM, Saturday, May 16, 2026"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(formatTimeStamp(c.time), c.text);
    }
}

TEST(EventLog, WritesLabelledLinesWithCrLfAndTruncatesOnOpen) {
    TempFolder temp;
    std::string path = temp.file("velmora.log");
    writeFile(path, "a previous run\r\n");
    EventLog log;
    log.writeMessage("dropped: not open yet");
    ASSERT_TRUE(log.open(path));
    log.writeMessage("Log file opened at 09:41:07 PM, Tuesday, December 08, 2026");
    log.writeLabeled("OPEN:", "Family Name = Smith");
    log.writeLabeled("LOADING:", "Smith_12_0000.jpg");
    log.close();
    EXPECT_EQ(readFile(path),
              "LOG: Log file opened at 09:41:07 PM, Tuesday, December 08, 2026\r\n"
              "OPEN: Family Name = Smith\r\n"
              "LOADING: Smith_12_0000.jpg\r\n");
}

TEST(EventLog, OpeningAgainKeepsTheOpenFile) {
    TempFolder temp;
    EventLog log;
    ASSERT_TRUE(log.open(temp.file("velmora.log")));
    log.writeMessage("first");
    ASSERT_TRUE(log.open(temp.file("velmora.log")));
    log.writeMessage("second");
    log.close();
    EXPECT_EQ(readFile(temp.file("velmora.log")), "LOG: first\r\nLOG: second\r\n");
}

TEST(EventLog, LinesReachTheFileAsTheyAreWritten) {
    TempFolder temp;
    EventLog log;
    ASSERT_TRUE(log.open(temp.file("velmora.log")));
    log.writeLabeled("ERROR:", "Failed to create work folder!");
    EXPECT_EQ(readFile(temp.file("velmora.log")), "ERROR: Failed to create work folder!\r\n");
}

// A second writer of the same log (another copy of the program) is refused, and the first log
// stays whole: it is neither truncated nor written into.
TEST(EventLog, SecondWriterIsRefusedAndTheFirstLogStaysWhole) {
    TempFolder temp;
    std::string path = temp.file("velmora.log");
    EventLog first;
    ASSERT_TRUE(first.open(path));
    first.writeMessage("first copy");
    EventLog second;
    EXPECT_FALSE(second.open(path));
    EXPECT_FALSE(second.isOpen());
    second.writeMessage("second copy");
    first.writeMessage("first copy goes on");
    EXPECT_EQ(readFile(path), "LOG: first copy\r\nLOG: first copy goes on\r\n") << "readers may look at it";
    first.close();
    EXPECT_TRUE(second.open(path)) << "free again once the first copy closed it";
    second.close();
    EXPECT_EQ(readFile(path), "");
}

TEST(EventLog, FailedOpenLeavesItClosed) {
    TempFolder temp;
    EventLog log;
    EXPECT_FALSE(log.open(temp.file("no-such-folder\\velmora.log")));
    EXPECT_FALSE(log.isOpen());
}

TEST(OpenEventLog, WritesTheOpeningLineBesideTheProgram) {
    std::string path = programFolder() + "\\velmora.log";
    ScriptedFeedback feedback;
    int enableLogging = 1;
    openEventLog(enableLogging, feedback);
    eventLog.close();
    EXPECT_EQ(enableLogging, 1);
    EXPECT_TRUE(feedback.calls.empty());
    std::string log = readFile(path);
    EXPECT_EQ(log.rfind("LOG: Log file opened at ", 0), 0u) << log;
    EXPECT_EQ(log.substr(log.size() - 2), "\r\n");
    EXPECT_EQ(log.find('\n'), log.size() - 1);
}
