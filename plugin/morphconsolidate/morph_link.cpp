// morph_link.cpp: the command lines that create, attach and remove the morph expressions.
#include "morph_link.h"

#include "../common/lwtool2.h"
#include "morphconsolidate_servers.h"

#include <algorithm>
#include <regex>

namespace {

bool BreaksQuotedLine(const std::string &text)
{
    return text.find_first_of("\"\r\n") != std::string::npos;
}

// The selected items of the interface info, repeated entries dropped (first kept, order kept).
std::vector<LWItemID> SelectedItems()
{
    std::vector<LWItemID> selection;
    const LWInterfaceInfo *info = ToolGlobals::interfaceInfo;
    if (!info || !info->selItems)
        return selection;
    for (const LWItemID *item = info->selItems; *item; ++item)
        if (std::find(selection.begin(), selection.end(), *item) == selection.end())
            selection.push_back(*item);
    return selection;
}

} // namespace

std::string ExpressionName(const std::string &prefix, const std::string &reference)
{
    static const std::regex kSeparators("[\\.: ]", std::regex::ECMAScript);
    return std::regex_replace(prefix + reference, kSeparators, "_");
}

void AttachExpression(LWItemID controller, const std::string &sourceName, LWChannelID target,
                      const std::string &prefix)
{
    const std::string reference = ItemName(controller) + "." + sourceName;
    const std::string name = ExpressionName(prefix, reference);
    const std::string text = "[" + reference + "]";
    if (BreaksQuotedLine(name) || BreaksQuotedLine(text)) {
        ShowError(FormatString("%s not linked to " ZK_COMMAND_ID ": a name holds a double quote or a line break",
                               OneLine(text).c_str(), CommandId(target)));
        return;
    }
    const std::string create = FormatText("GE_CreateExpression \"%s\" \"%s\"", name.c_str(), text.c_str());
    const std::string attach = FormatText("GE_AttachExpressionID " ZK_COMMAND_ID " \"%s\"", CommandId(target), name.c_str());
    if (create.empty() || attach.empty()) {
        ShowError(FormatString("%s not linked to " ZK_COMMAND_ID ": the command line would be longer than 511 characters",
                               text.c_str(), CommandId(target)));
        return;
    }
    Eval(create);
    EvalF("RefreshNow");
    Eval(attach);
}

namespace {

// The morph channels of each target but the controller, read once for the whole run.
struct TargetMorphs {
    LWItemID item = nullptr;
    std::vector<ItemChannel> channels;
};

std::vector<TargetMorphs> ReadTargetMorphs(LWItemID controller, const std::vector<LWItemID> &targets)
{
    std::vector<TargetMorphs> list;
    for (LWItemID target : targets) {
        if (target == controller)
            continue;
        TargetMorphs entry{target, {}};
        for (ItemChannel &channel : ItemChannels(target))
            if (IsMorphChannel(channel.fullName))
                entry.channels.push_back(std::move(channel));
        list.push_back(std::move(entry));
    }
    return list;
}

void LinkToTargets(LWItemID controller, const ItemChannel &source, const std::vector<TargetMorphs> &targets,
                   const std::string &prefix)
{
    for (const TargetMorphs &target : targets)
        for (const ItemChannel &channel : target.channels)
            if (channel.fullName == source.fullName)
                AttachExpression(controller, source.fullName, channel.id, prefix);
}

} // namespace

void RemoveMorphExpressions()
{
    std::vector<LWItemID> meshes;
    if (const LWItemInfo *info = ToolGlobals::itemInfo)
        for (LWItemID item = info->first(LWI_OBJECT, LWITEM_NULL); item; item = info->next(item))
            if (IsMeshObject(item))
                meshes.push_back(item);
    for (LWItemID object : meshes)
        for (const ItemChannel &channel : ItemChannels(object))
            if (IsMorphChannel(channel.fullName))
                EvalF("GE_DetachExpressionsID " ZK_COMMAND_ID, CommandId(channel.id));
    EvalF("GE_ClearUnusedExpressions");
}

void CreateConsolidation(const ConsolidateState &state, int itemIndex)
{
    ShowStatus("start %s...", kMorphConsolidateServerName);
    RemoveMorphExpressions();
    EvalF("RefreshNow");

    RefreshInterfaceInfo();
    const std::vector<LWItemID> selection = SelectedItems();

    if (state.itemList.empty() || selection.empty()) {
        ShowStatus("No selected item !");
    } else if (itemIndex >= 0 && static_cast<size_t>(itemIndex) < state.itemList.size() &&
               state.itemList[itemIndex]) {
        // The targets' channels are read once: the run sends the same lines as linking each
        // controller channel against freshly read targets, without walking them again each time.
        const LWItemID controller = state.itemList[itemIndex];
        const std::vector<TargetMorphs> targets = ReadTargetMorphs(controller, selection);
        for (const ItemChannel &channel : ItemChannels(controller))
            if (IsMorphChannel(channel.fullName))
                LinkToTargets(controller, channel, targets, state.prefix);
    }

    // The last selected item is selected first, the first one is added last.
    const size_t count = selection.size();
    for (size_t i = 0; i < count; ++i)
        EvalF("%s " ZK_COMMAND_ID, i == 0 ? "SelectItem" : "AddToSelection", CommandId(selection[count - 1 - i]));

    RefreshInterfaceInfo();
    ShowStatus("start %s...done", kMorphConsolidateServerName);
}
