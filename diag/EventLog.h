#pragma once
#include <cstdio>
#include <ctime>
#include <string>
#include <vector>

// The diagnostic log "velmora.log" beside the program: one line per event, CR LF line ends from
// every build. Callers test the "Enable Logging" setting before they write; the log itself only
// tests whether its file is open.
class EventLog {
public:
    EventLog() = default;
    EventLog(const EventLog&) = delete;
    EventLog& operator=(const EventLog&) = delete;
    ~EventLog();

    // Creates or truncates the file, as its only writer: false when another writer has it open
    // (another copy of the program), which leaves that file as it was. Opening again while a file
    // is open keeps that file and succeeds, so that switching logging off and on within a run goes
    // on writing the same log.
    bool open(const std::string& path);
    bool isOpen() const { return file != nullptr; }

    // "LOG: " + text
    void writeMessage(const std::string& text);
    // One "LOG: " line for each text, flushed together: the lines of one photo's files.
    void writeMessages(const std::vector<std::string>& texts);
    // label + " " + text
    void writeLabeled(const std::string& label, const std::string& text);

    // Closes the file; for tests, which need to read it back. The program's log stays open to the end.
    void close();

private:
    void writeLine(const std::string& line);
    void append(const std::string& line);
    std::FILE* file = nullptr;
};

extern EventLog eventLog;

// "%I:%M:%S %p, %A, %B %d, %Y" with English day and month names whatever the user's locale,
// e.g. "09:41:07 PM, Tuesday, December 08, 2026".
std::string formatTimeStamp(const std::tm& time);
