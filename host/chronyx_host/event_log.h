// The run's log: one line for every event pushed, condition answered,
// expression read and action run, and for what the host did in answer
// (drawing, erasing, clock changes, pauses). Text for people, JSON lines for
// programs; both carry the same fields.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include "host/chronyx_host/scenario.h"

struct LogEntry {
    int32_t frame;
    ClockMoment time;   // the host's clock when the line was written
    std::string object; // "-" when the line is about the whole run
    std::string what;   // event, condition, expression, action, display, ...
    std::string name;   // routine name, or empty
    bool hasNumber = false;
    int64_t number = 0;    // event code, answer, parameter
    std::string text = ""; // a value that is not a number, or empty
};

enum class LogFormat { Text, Json };

std::string FormatLogEntry(const LogEntry& entry, LogFormat format);

struct EventLog {
    FILE* stream;
    LogFormat format;
};

void WriteLogEntry(const EventLog& log, const LogEntry& entry);
