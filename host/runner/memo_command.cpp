// memo_command.cpp: zkhost memo, the timeline memo's notes out to and in from editorial files
// without opening Layout. The scene is loaded with the module, the memo's panel is set as a user
// sets it (format, tracks, start timecode, drop frame, OTIO's stack, what an import does), the file
// requester is answered and Export or Import is pressed; an import then saves the scene as OUT.
// What the module says on the status line is printed; an error there ends the command with 1.
#include "memo_command.h"

#include "host.h"

#include <filesystem>
#include <map>

namespace zkh {

namespace {

namespace fs = std::filesystem;

const char kMemoServer[] = "ZK:TimeLineMemo";
const unsigned int kExportButton = 0x8004, kImportButton = 0x8005;
const char *const kFormats[] = {"otio", "edl-resolve", "edl-loc", "avid", "xmeml", "csv", "ffmetadata", "youtube"};

// A mistake in the command line (exit 2) or a failure of the work (exit 1).
struct Failure {
    int status;
    std::string message;
};

struct Arguments {
    std::string scene, file, format, track, out, module, startTimecode;
    bool exporting = false, importing = false, replace = false, nonDrop = false, otioStack = false;
};

Arguments Parse(const std::vector<std::string> &args)
{
    Arguments a;
    if (args.empty())
        throw Failure{2, "zkhost memo: give the scene file"};
    a.scene = args[0];
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string &arg = args[i];
        auto value = [&]() -> std::string {
            if (i + 1 >= args.size())
                throw Failure{2, "zkhost memo: " + arg + " needs a value"};
            return args[++i];
        };
        if (arg == "--export") {
            a.exporting = true;
            a.file = value();
        } else if (arg == "--import") {
            a.importing = true;
            a.file = value();
        } else if (arg == "--format") {
            a.format = value();
        } else if (arg == "--track") {
            a.track = value();
        } else if (arg == "--out") {
            a.out = value();
        } else if (arg == "--module") {
            a.module = value();
        } else if (arg == "--start-timecode") {
            a.startTimecode = value();
        } else if (arg == "--replace") {
            a.replace = true;
        } else if (arg == "--non-drop") {
            a.nonDrop = true;
        } else if (arg == "--otio-stack") {
            a.otioStack = true;
        } else {
            throw Failure{2, "zkhost memo: unknown option " + arg};
        }
    }
    if (a.exporting == a.importing)
        throw Failure{2, "zkhost memo: give either --export FILE or --import FILE"};
    if (a.importing && a.out.empty())
        throw Failure{2, "zkhost memo: --import needs --out OUT (the scene written with the imported notes)"};
    if (a.importing && !a.track.empty())
        throw Failure{2, "zkhost memo: --track is for --export"};
    return a;
}

std::string FormatList()
{
    std::string list;
    for (const char *name : kFormats)
        list += (list.empty() ? "" : ", ") + std::string(name);
    return list;
}

// The format named, or the one the file's extension names where only one format uses it.
std::string FormatOf(const Arguments &a)
{
    if (!a.format.empty()) {
        for (const char *name : kFormats)
            if (a.format == name)
                return name;
        throw Failure{2, "zkhost memo: unknown format " + a.format + " (formats: " + FormatList() + ")"};
    }
    static const std::map<std::string, std::string> kByExtension = {
        {".otio", "otio"}, {".csv", "csv"}, {".xml", "xmeml"}, {".ffmetadata", "ffmetadata"}};
    const auto found = kByExtension.find(fs::u8path(a.file).extension().u8string());
    if (found == kByExtension.end())
        throw Failure{2, "zkhost memo: the extension of " + a.file + " does not tell the format: give --format (" +
                             FormatList() + ")"};
    return found->second;
}

const XPanelControl &Control(Host &host, XPanel &panel, const char *dataName)
{
    const XPanelControl *control = host.xpanels.ControlByName(panel, dataName);
    if (!control)
        throw Failure{1, std::string("zkhost memo: the memo's panel has no ") + dataName + " (is the module too old?)"};
    return *control;
}

// Chooses the popup entry equal to `entry` (or ending with it, when `suffix`).
void Choose(Host &host, XPanel &panel, const char *dataName, const std::string &entry, bool suffix,
            const std::string &missing)
{
    const XPanelControl &control = Control(host, panel, dataName);
    const std::vector<std::string> items = host.xpanels.PopupItems(panel, control.cid);
    for (size_t i = 0; i < items.size(); ++i) {
        const std::string &item = items[i];
        const bool match = suffix ? item.size() >= entry.size() && item.compare(item.size() - entry.size(), entry.size(), entry) == 0
                                  : item == entry;
        if (match) {
            host.xpanels.SetInteger(panel, control.cid, static_cast<int>(i));
            return;
        }
    }
    throw Failure{1, missing};
}

void Run(const Arguments &a, const std::string &defaultModule, std::ostream &out)
{
    const std::string format = FormatOf(a);
    Host host;
    const std::string module = a.module.empty() ? defaultModule : a.module;
    if (!host.LoadModule(module))
        throw Failure{1, "zkhost memo: " + host.messages.back()};
    if (!host.LoadScene(a.scene))
        throw Failure{1, "zkhost memo: " + (host.messages.empty() ? "cannot load " + a.scene : host.messages.back())};
    if (!host.masters.Find(kMemoServer)) {
        if (a.exporting)
            throw Failure{1, "zkhost memo: " + a.scene + " has no timeline memo (ZK:TimeLineMemo)"};
        if (!host.masters.Add(kMemoServer))
            throw Failure{1, "zkhost memo: " + host.messages.back()};
    }
    XPanel *panel = host.masters.OpenPanel(kMemoServer);
    if (!panel)
        throw Failure{1, "zkhost memo: " + host.messages.back()};
    Choose(host, *panel, "exchangeFormat", "[" + format + "]", true, "zkhost memo: the module has no format " + format);
    host.xpanels.SetText(*panel, Control(host, *panel, "startTimecode").cid, a.startTimecode);
    host.xpanels.SetInteger(*panel, Control(host, *panel, "dropFrame").cid, a.nonDrop ? 0 : 1);
    host.xpanels.SetInteger(*panel, Control(host, *panel, "otioStack").cid, a.otioStack ? 1 : 0);
    if (a.exporting) {
        host.xpanels.SetInteger(*panel, Control(host, *panel, "exportTracks").cid, a.track.empty() ? 0 : 1);
        if (!a.track.empty())
            Choose(host, *panel, "tracksList", a.track, false, "zkhost memo: the memo has no track " + a.track);
    } else {
        host.xpanels.SetInteger(*panel, Control(host, *panel, "importMode").cid, a.replace ? 0 : 1);
    }
    const size_t statusBefore = host.commands.status.size(), asked = host.requesters.fileLog.size();
    host.requesters.AnswerFile(fs::absolute(fs::u8path(a.file)).u8string());
    host.xpanels.Press(*panel, a.exporting ? kExportButton : kImportButton);
    if (host.requesters.fileLog.size() == asked)
        throw Failure{1, "zkhost memo: the memo's panel asked for no file"};
    bool failed = false;
    std::string said;
    for (size_t i = statusBefore; i < host.commands.status.size(); ++i) {
        const std::string &line = host.commands.status[i];
        failed = failed || line.compare(0, 10, "*** ERROR:") == 0;
        said += line + "\n";
    }
    if (failed)
        throw Failure{1, said.substr(0, said.size() - 1)};
    out << said;
    if (a.importing && !host.SaveScene(a.out))
        throw Failure{1, "zkhost memo: " + host.messages.back()};
}

} // namespace

int RunMemoCommand(const std::vector<std::string> &args, const std::string &defaultModule, std::ostream &out,
                   std::ostream &err)
{
    try {
        Run(Parse(args), defaultModule, out);
        return 0;
    } catch (const Failure &failure) {
        err << failure.message << "\n";
        return failure.status;
    }
}

const char *MemoCommandUsage()
{
    return "usage: zkhost memo SCENE.lws --export FILE [--format F] [--track NAME] [OPTIONS]\n"
           "       zkhost memo SCENE.lws --import FILE [--format F] [--replace] --out OUT [OPTIONS]\n"
           "  Exports the timeline memo of SCENE.lws (every enabled track, or the track NAME) to FILE, or\n"
           "  imports FILE into it (adding its tracks, or replacing the memo) and writes the scene as OUT.\n"
           "  Formats: otio, edl-resolve, edl-loc, avid, xmeml, csv, ffmetadata, youtube (export only);\n"
           "  without --format the extension decides: .otio, .csv, .xml (xmeml), .ffmetadata.\n"
           "  OPTIONS: --start-timecode TC (the timecode of the scene's frame 0; default 01:00:00:00 for\n"
           "  EDL, Avid and xmeml, 00:00:00:00 for OTIO and CSV), --non-drop (no drop frame at 29.97 and\n"
           "  59.94), --otio-stack (OTIO markers on the timeline's stack), --module FILE.\n";
}

} // namespace zkh
