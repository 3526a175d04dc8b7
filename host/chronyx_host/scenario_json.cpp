#include "host/chronyx_host/scenario_json.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace scenario_reading {

namespace {

const char* TypeName(const json& value) {
    switch (value.type()) {
    case json::value_t::object:
        return "an object";
    case json::value_t::array:
        return "an array";
    case json::value_t::string:
        return "a string";
    case json::value_t::boolean:
        return "a boolean";
    case json::value_t::number_float:
        return "a fraction";
    case json::value_t::number_integer:
    case json::value_t::number_unsigned:
        return "an integer";
    default:
        return "null";
    }
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

} // namespace

void Refuse(const std::string& where, const std::string& message) {
    throw Refusal{ScenarioError{where, message}};
}

void RefuseType(const json& value, const std::string& path, const char* expected) {
    Refuse(path, std::string("expected ") + expected + ", got " + TypeName(value));
}

std::string Key(const std::string& path, const char* key) {
    return path.empty() ? std::string(key) : path + "." + key;
}

std::string Item(const std::string& path, size_t index) {
    return path + "[" + std::to_string(index) + "]";
}

void ExpectKeys(const json& value, const std::string& path,
                std::initializer_list<const char*> allowed) {
    if (!value.is_object()) RefuseType(value, path.empty() ? "$" : path, "an object");
    for (auto it = value.begin(); it != value.end(); ++it) {
        bool known = false;
        for (const char* key : allowed)
            if (it.key() == key) known = true;
        if (!known) Refuse(Key(path, it.key().c_str()), "unknown key");
    }
}

const json* Find(const json& object, const char* key) {
    auto it = object.find(key);
    return it == object.end() ? nullptr : &*it;
}

void CheckRange(int64_t number, const std::string& path, int64_t low, int64_t high) {
    if (number < low || number > high)
        Refuse(path, std::to_string(number) + " is out of range (" + std::to_string(low) + " to " +
                         std::to_string(high) + ")");
}

int64_t ReadInteger(const json& value, const std::string& path, int64_t low, int64_t high) {
    int64_t number;
    if (value.is_number_unsigned()) {
        uint64_t u = value.get<uint64_t>();
        number = u > static_cast<uint64_t>(std::numeric_limits<int64_t>::max())
                     ? std::numeric_limits<int64_t>::max()
                     : static_cast<int64_t>(u);
    } else if (value.is_number_integer()) {
        number = value.get<int64_t>();
    } else {
        RefuseType(value, path, "an integer");
    }
    CheckRange(number, path, low, high);
    return number;
}

int16_t ReadI16(const json& value, const std::string& path) {
    return static_cast<int16_t>(ReadInteger(value, path, INT16_MIN, INT16_MAX));
}

const std::string& ReadString(const json& value, const std::string& path) {
    if (!value.is_string()) RefuseType(value, path, "a string");
    return value.get_ref<const std::string&>();
}

int16_t ReadSwitch(const json& value, const std::string& path) {
    if (value.is_boolean()) return value.get<bool>() ? 1 : 0;
    if (value.is_number_integer() || value.is_number_unsigned()) return ReadI16(value, path);
    RefuseType(value, path, "true, false or an integer");
}

int16_t ReadChoice(const json& value, const std::string& path, std::span<const char* const> names) {
    if (value.is_number_integer() || value.is_number_unsigned()) return ReadI16(value, path);
    if (!value.is_string()) RefuseType(value, path, "a name or an integer");
    int16_t index = 0;
    std::string list;
    for (const char* name : names) {
        if (value.get_ref<const std::string&>() == name) return index;
        list += list.empty() ? "" : ", ";
        list += std::string("\"") + name + "\"";
        ++index;
    }
    Refuse(path,
           "unknown value \"" + value.get<std::string>() + "\" (one of " + list + ", or a number)");
}

uint32_t ReadColour(const json& value, const std::string& path) {
    if (value.is_number_integer() || value.is_number_unsigned())
        return static_cast<uint32_t>(ReadInteger(value, path, 0, UINT32_MAX));
    const std::string& text = ReadString(value, path);
    bool ok = text.size() == 7 && text[0] == '#';
    for (size_t i = 1; ok && i < 7; ++i)
        ok = HexDigit(text[i]) >= 0;
    if (!ok) Refuse(path, "expected a colour as \"#rrggbb\", got \"" + text + "\"");
    uint32_t red = HexDigit(text[1]) * 16 + HexDigit(text[2]);
    uint32_t green = HexDigit(text[3]) * 16 + HexDigit(text[4]);
    uint32_t blue = HexDigit(text[5]) * 16 + HexDigit(text[6]);
    return red | (green << 8) | (blue << 16);
}

void CopyText(char* to, size_t size, const std::string& text) {
    std::memset(to, 0, size);
    std::memcpy(to, text.data(), std::min(text.size(), size - 1));
}

} // namespace scenario_reading
