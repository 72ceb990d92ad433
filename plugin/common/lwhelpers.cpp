// lwhelpers.cpp: token splitting and the camera image area of a viewport.
#include "lwtool2.h"

#include <algorithm>

bool NextToken(std::string_view text, size_t &pos, std::string_view &token)
{
    static constexpr std::string_view kSeparators = " \t,";
    const size_t start = text.find_first_not_of(kSeparators, pos);
    if (start == std::string_view::npos) {
        pos = text.size();
        return false;
    }
    const size_t end = std::min(text.find_first_of(kSeparators, start), text.size());
    token = text.substr(start, end - start);
    pos = end;
    return true;
}

std::vector<std::string> SplitTokens(const std::string &text)
{
    std::vector<std::string> tokens;
    size_t pos = 0;
    std::string_view token;
    while (NextToken(text, pos, token))
        tokens.emplace_back(token);
    return tokens;
}

std::pair<double, double> CameraViewSize(int viewport)
{
    std::pair<double, double> size(kFallbackViewWidth, kFallbackViewHeight);
    const LWViewportInfo *view = g_hostGlobals.viewportInfo;
    const LWCameraInfo *camInfo = g_hostGlobals.cameraInfo;
    if (!view || !camInfo)
        return size;
    const LWItemID camera = view->type(viewport) == LVVIEWT_CAMERA ? view->viewItem(viewport) : LWITEM_NULL;

    int left = 0, top = 0, width = 0, height = 0;
    view->rect(viewport, &left, &top, &width, &height);
    if (height < 0.0001)
        return size;
    int resW = 0, resH = 0;
    camInfo->resolution(camera, &resW, &resH);
    return FitCameraImage(width, height, resW, resH);
}

std::pair<double, double> FitCameraImage(int width, int height, int resW, int resH)
{
    if (height < 0.0001 || resH < 0.0001)
        return {kFallbackViewWidth, kFallbackViewHeight};
    const double aspect = static_cast<double>(resW) / resH;
    if (static_cast<double>(width) / height > aspect)
        return {height * aspect, static_cast<double>(height)};
    return {static_cast<double>(width), width / aspect};
}
