// image_filters.h: the scene's image filters (Layout's image processing list) and the renderer's
// calls of them.
#ifndef ZKH_IMAGE_FILTERS_H
#define ZKH_IMAGE_FILTERS_H

#include "lwhost/lwhost.h"

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

namespace zkh {

struct FilterImage;
class Host;

// An image filter of the scene, run on every rendered frame.
struct ImageFilterInstance {
    std::string server;
    LWInstanceFuncs instFuncs{};
    LWItemFuncs itemFuncs{};
    LWImageFilterHandler handler{};
    LWInstance instance = nullptr;
    size_t source = static_cast<size_t>(-1); // its block in the scene file it was loaded from
    // One frame through the filter (from any thread: each call brings its own buffers); the error
    // text the filter returned, empty when none.
    std::string Process(FilterImage &image, int frame) const;
};

// The list needs its host to activate servers, report what went wrong and tell the scene file of
// a removed filter.
class ImageFilters {
public:
    explicit ImageFilters(Host &host) : host_(host) {}
    ImageFilters(const ImageFilters &) = delete;
    ImageFilters &operator=(const ImageFilters &) = delete;

    // Adds the filter at the end of the list; null with a message when the server refused.
    ImageFilterInstance *Add(const std::string &server);
    // Destroys the first filter of the server; false when there is none.
    bool Remove(const std::string &server);
    // In the order they run.
    const std::vector<std::unique_ptr<ImageFilterInstance>> &All() const { return filters_; }
    // Renders one frame's post-processing: every filter of the list over the image, in order, as
    // the renderer does; false with a message when one of them fails (the frame is not written).
    bool RunScene(FilterImage &image, int frame);
    // The same from any thread, without a message: the failure ("SERVER: the render of frame N
    // failed: ..."), empty when every filter ran.
    std::string ProcessScene(FilterImage &image, int frame) const;
    // Runs a server over an image (a create, one process call, a destroy), as the renderer does
    // for the given frame, without adding it to the list; false with a message when it refused.
    bool RunOne(const std::string &server, FilterImage &image, int frame);
    // Destroys every filter, the last first (before the module's code goes).
    void DestroyAll();

    // False: filters are activated without item functions (a null item part), as Modeler
    // activates them.
    bool itemPart = true;

private:
    // Activates a server and creates an instance; null with a message when refused.
    std::unique_ptr<ImageFilterInstance> Create(const std::string &server);

    Host &host_;
    std::vector<std::unique_ptr<ImageFilterInstance>> filters_;
};

} // namespace zkh

#endif
