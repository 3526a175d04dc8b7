// chronyx-gallery: writes the gallery's scenarios, one per topic, and
// gallery.md, which shows the pictures that the reference host draws from
// them. ./chronyx gallery runs it and then the host.
//
//   chronyx-gallery DOCS   writes DOCS/gallery/scenarios/*.json and DOCS/gallery.md
#include <cstdio>
#include <fstream>
#include <string>

#include <sys/stat.h>

#include "tools/gallery/gallery_scenario.h"
#include "tools/gallery/gallery_topics.h"

namespace {

bool Write(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    out.close();
    if (!out) std::fprintf(stderr, "chronyx-gallery: cannot write %s\n", path.c_str());
    return static_cast<bool>(out);
}

std::string Markdown(const std::vector<GalleryTopic>& topics) {
    std::string md =
        "# Gallery\n\n"
        "Every display type, digital layout, analog face and calendar format of the clock "
        "object, drawn by the real `CHRONYX.dll` through the reference host. Under each clock "
        "the host writes the settings that make it, in the words of the scenario format (see "
        "[scenarios.md](scenarios.md)); everything else is as in `gallery/scenarios/`, one "
        "scenario per "
        "picture. `./chronyx gallery` makes this page and its pictures again.\n\n";
    for (const GalleryTopic& topic : topics)
        md += "- [" + topic.title + "](#" + topic.file + ")\n";
    for (const GalleryTopic& topic : topics) {
        md += "\n<a id=\"" + topic.file + "\"></a>\n\n## " + topic.title + "\n\n" + topic.text +
              "\n\n![" + topic.title + "](gallery/" + topic.file + ".png)\n\n" +
              "Scenario: [gallery/scenarios/" + topic.file + ".json](gallery/scenarios/" +
              topic.file + ".json)\n";
    }
    return md;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: chronyx-gallery DOCS\n", stderr);
        return 2;
    }
    std::string docs = argv[1];
    mkdir((docs + "/gallery").c_str(), 0777);
    mkdir((docs + "/gallery/scenarios").c_str(), 0777);
    std::vector<GalleryTopic> topics = GalleryTopics();
    bool ok = true;
    for (const GalleryTopic& topic : topics)
        ok = Write(docs + "/gallery/scenarios/" + topic.file + ".json",
                   GalleryScenario(topic).dump(2) + "\n") &&
             ok;
    ok = Write(docs + "/gallery.md", Markdown(topics)) && ok;
    return ok ? 0 : 1;
}
