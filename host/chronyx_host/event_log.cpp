#include "host/chronyx_host/event_log.h"

#include <nlohmann/json.hpp>

std::string FormatLogEntry(const LogEntry& entry, LogFormat format) {
    if (format == LogFormat::Json) {
        // ordered_json keeps the fields in the order a reader expects them.
        nlohmann::ordered_json line;
        line["frame"] = entry.frame;
        line["time"] = FormatMoment(entry.time);
        line["object"] = entry.object;
        line["what"] = entry.what;
        if (!entry.name.empty()) line["name"] = entry.name;
        if (entry.hasNumber)
            line["value"] = entry.number;
        else if (!entry.text.empty())
            line["value"] = entry.text;
        return line.dump();
    }
    char head[96];
    std::snprintf(head, sizeof(head), "%6d  %s  ", static_cast<int>(entry.frame),
                  FormatMoment(entry.time).c_str());
    std::string line = head;
    line += entry.object;
    if (entry.object.size() < 10) line.append(10 - entry.object.size(), ' ');
    line += "  ";
    line += entry.what;
    if (!entry.name.empty() || entry.hasNumber || !entry.text.empty()) {
        if (entry.what.size() < 10) line.append(10 - entry.what.size(), ' ');
        line += "  ";
    }
    line += entry.name;
    if (entry.hasNumber || !entry.text.empty()) {
        if (!entry.name.empty()) {
            if (entry.name.size() < 18) line.append(18 - entry.name.size(), ' ');
            line += "  ";
        }
        line += entry.hasNumber ? std::to_string(entry.number) : entry.text;
    }
    return line;
}

void WriteLogEntry(const EventLog& log, const LogEntry& entry) {
    std::string line = FormatLogEntry(entry, log.format);
    line += '\n';
    std::fwrite(line.data(), 1, line.size(), log.stream);
    std::fflush(log.stream);
}
