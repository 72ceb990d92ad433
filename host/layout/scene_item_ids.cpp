// scene_item_ids.cpp: renumbering the scene's items.
#include "scene.h"

#include <algorithm>
#include <set>

namespace zkh {

bool Scene::RenumberItems(const std::vector<std::pair<std::uint32_t, std::uint32_t>> &pairs)
{
    std::map<std::uint32_t, std::uint32_t> renumbered;
    std::set<std::uint32_t> taken;
    for (const auto &[from, to] : pairs)
        if (!Find(from) || to == 0 || !renumbered.emplace(from, to).second || !taken.insert(to).second)
            return false;
    for (const Item &item : items_)
        if (!renumbered.count(item.id) && taken.count(item.id))
            return false;
    const auto map = [&](std::uint32_t id) {
        const auto found = renumbered.find(id);
        return found != renumbered.end() ? found->second : id;
    };
    itemById_.clear();
    lastIdOfKind_.clear();
    for (size_t at = 0; at < items_.size(); ++at) {
        Item &item = items_[at];
        item.id = map(item.id);
        item.parent = map(item.parent);
        itemById_.emplace(item.id, at);
        std::uint32_t &last = lastIdOfKind_[static_cast<int>(item.kind)];
        last = std::max(last, item.id);
    }
    for (std::uint32_t &id : selection)
        id = map(id);
    for (Viewport &viewport : viewports)
        viewport.item = map(viewport.item);
    renderCamera = map(renderCamera);
    for (auto &switched : renderCameraSwitches)
        switched.second = map(switched.second);
    return true;
}

} // namespace zkh
