// docs/host-contract.md names the ordinals a host author binds to; the
// contract's lists are their source, and the document is held to them here.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>

#include "contract/entry_points.h"

namespace {

std::string Document() {
    std::ifstream in(CHX_SOURCE_DIR "/docs/host-contract.md");
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

const EntryPointName* EntryNamed(const std::string& name) {
    for (const EntryPointName& e : kEntryPoints)
        if (name == e.name) return &e;
    return nullptr;
}

TEST(ContractDocument, HostOperationTableHasTheListsOrdinals) {
    const std::string doc = Document();
    ASSERT_FALSE(doc.empty()) << "docs/host-contract.md not read";
    // Rows of the form "| 98 | `HostFontCreate` | ...".
    std::map<std::string, int> documented;
    const std::regex row(R"(\n\| *([0-9]+) *\| *`(Host[A-Za-z]+)` *\|)");
    for (std::sregex_iterator it(doc.begin(), doc.end(), row), end; it != end; ++it)
        documented[(*it)[2]] = std::stoi((*it)[1]);
    for (const HostOperationName& op : kHostOperations) {
        const auto found = documented.find(op.name);
        if (found == documented.end())
            ADD_FAILURE() << op.name << " is not in the document's table";
        else
            EXPECT_EQ(op.ordinal, found->second)
                << op.name << ": got the document's, expected the list's";
    }
    EXPECT_EQ(static_cast<size_t>(kHostOperationCount), documented.size())
        << "rows in the document's table";
}

TEST(ContractDocument, EntryPointOrdinalsAreTheLists) {
    const std::string doc = Document();
    ASSERT_FALSE(doc.empty()) << "docs/host-contract.md not read";
    // The run-time entry points, named with their ordinals: "`GetInfos` 2".
    std::set<int> named;
    const std::regex mention(R"(`([A-Za-z]+)`\s+([0-9]+))");
    for (std::sregex_iterator it(doc.begin(), doc.end(), mention), end; it != end; ++it) {
        const EntryPointName* entry = EntryNamed((*it)[1]);
        if (!entry) continue;
        EXPECT_EQ(entry->ordinal, std::stoi((*it)[2]))
            << entry->name << ": got the document's, expected the list's";
        named.insert(entry->ordinal);
    }
    EXPECT_FALSE(named.empty()) << "no entry point named with its ordinal";

    // The editor's, as ranges: "(ordinals 3 to 23, 36, 60 to 78)".
    std::smatch ranges;
    ASSERT_TRUE(std::regex_search(doc, ranges, std::regex(R"(\(ordinals ([0-9, to]+)\))")))
        << "no list of the editor's ordinals";
    std::set<int> editor;
    std::stringstream parts(ranges[1].str());
    for (std::string part; std::getline(parts, part, ',');) {
        int first = 0, last = 0;
        if (std::sscanf(part.c_str(), " %d to %d", &first, &last) == 2)
            for (int o = first; o <= last; ++o)
                editor.insert(o);
        else if (std::sscanf(part.c_str(), " %d", &first) == 1)
            editor.insert(first);
    }
    std::set<int> unnamed;
    for (const EntryPointName& e : kEntryPoints)
        if (!named.count(e.ordinal)) unnamed.insert(e.ordinal);
    EXPECT_EQ(unnamed, editor) << "the editor's ordinals: expected every entry point of the list "
                                  "that the document does not name with its ordinal";
}

} // namespace
