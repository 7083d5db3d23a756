#include "diag/EventLog.h"

#include "platform/FileSystem.h"

EventLog eventLog;

EventLog::~EventLog() { close(); }

bool EventLog::open(const std::string& path) {
    if (file)
        return true;
    // Without sharing for writers: a second copy of the program fails to create the log (and says
    // so) instead of truncating the log the first copy is writing.
    file = createFileAsSoleWriter(path);
    return file != nullptr;
}

void EventLog::close() {
    if (file)
        std::fclose(file);
    file = nullptr;
}

void EventLog::writeMessage(const std::string& text) { writeLine("LOG: " + text); }

void EventLog::writeMessages(const std::vector<std::string>& texts) {
    if (!file)
        return;
    for (const std::string& text : texts)
        append("LOG: " + text);
    std::fflush(file);
}

void EventLog::writeLabeled(const std::string& label, const std::string& text) {
    writeLine(label + " " + text);
}

// Each line is flushed as it is written: the log is what tells a user what happened to their
// files, so a program that ends abnormally must not lose its last lines.
void EventLog::writeLine(const std::string& line) {
    if (!file)
        return;
    append(line);
    std::fflush(file);
}

void EventLog::append(const std::string& line) {
    std::fwrite(line.data(), 1, line.size(), file);
    std::fwrite("\r\n", 1, 2, file);
}
