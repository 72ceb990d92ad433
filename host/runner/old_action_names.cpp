// old_action_names.cpp: the names session actions had before every action was named thing_verb.
// Sessions written with them run as before: each old name stands for its action.
#include "session.h"

namespace zkh {

namespace {

struct OldName {
    const char *oldName;
    const char *name;
};

constexpr OldName kOldNames[] = {
    {"add_image_filter", "image_filter_add"},
    {"add_master", "master_add"},
    {"answer_color", "color_answer"},
    {"answer_file", "file_answer"},
    {"apply_clip_mixer", "clip_mixer_apply"},
    {"cancel_color", "color_cancel"},
    {"cancel_file", "file_cancel"},
    {"change_item_ids", "item_ids_change"},
    {"clip_mixer_options", "clip_mixer_options_edit"},
    {"command", "command_send"},
    {"copy_clip_mixer", "clip_mixer_copy"},
    {"copy_master", "master_copy"},
    {"draw_viewport", "viewport_draw"},
    {"evaluate_channel", "channel_evaluate"},
    {"frame_panel", "frame_panel_open"},
    {"frame_panel_picture", "frame_panel_paint"},
    {"frame_settings", "frame_settings_set"},
    {"gizmo_dirty", "gizmo_dirty_check"},
    {"load_scene", "scene_load"},
    {"locale", "locale_set"},
    {"master_event", "master_event_send"},
    {"memo_panel_picture", "memo_panel_paint"},
    {"morph_rig", "morph_rig_build"},
    {"narrow_code_page", "narrow_code_page_set"},
    {"on_next_modal", "modal_answer"},
    {"panel_picture", "panel_paint"},
    {"print", "text_print"},
    {"print_channels", "channel_list"},
    {"print_expressions", "expression_list"},
    {"print_status", "status_list"},
    {"reject_commands", "command_reject"},
    {"remove_image_filter", "image_filter_remove"},
    {"remove_master", "master_remove"},
    {"remove_service", "service_remove"},
    {"render_camera", "render_camera_set"},
    {"render_node", "render_node_become"},
    {"run_command", "generic_run"},
    {"save_scene", "scene_save"},
    {"select", "selection_set"},
    {"servers", "server_list"},
    {"set_channel", "channel_set"},
    {"set_frame", "time_set_frame"},
    {"set_time", "time_set"},
};

} // namespace

void AddOldActionNames(ActionTable &table)
{
    for (const OldName &entry : kOldNames)
        table.AddOldName(entry.oldName, entry.name);
}

} // namespace zkh
