// sequence_commands.cpp: zkhost burn and zkhost crop: the command line, the scene, and the frames
// shared out to the jobs.
//
// The host runs as a render node (no interface services), loads the module and the scene as a
// render farm's Layout would, and runs the scene's image filters over each plate: the instances
// the scene created when it loaded serve the whole sequence, as Layout keeps them for a render. Frames are independent: each job reads its plate, works on it and
// writes its file, so the files are the same for any number of jobs.
#include "sequence_commands.h"

#include "frame_door.h"
#include "frame_crop.h"
#include "host.h"
#include "image_files.h"
#include "sequence.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <iostream>
#include <mutex>
#include <sstream>
#include <thread>

#if defined(_WIN32)
#include <io.h>
#else
#include <unistd.h>
#endif

namespace zkh {

namespace {

constexpr char kServer[] = "ZK:CameraFrame";
constexpr int kMaxJobs = 64;

struct Options {
    std::string command, scene, in, out, frames, camera, frame, module;
    int jobs = 0; // 0: one per core
    bool keepGoing = false, force = false;
};

class UsageError : public std::runtime_error {
    using std::runtime_error::runtime_error;
};

Options ParseOptions(const std::string &command, const std::vector<std::string> &arguments)
{
    Options o;
    o.command = command;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string &a = arguments[i];
        const auto value = [&]() -> std::string {
            if (i + 1 >= arguments.size())
                throw UsageError(a + " needs a value");
            return arguments[++i];
        };
        if (a == "--in")
            o.in = value();
        else if (a == "--out")
            o.out = value();
        else if (a == "--frames")
            o.frames = value();
        else if (a == "--camera" && command == "burn")
            o.camera = value();
        else if (a == "--frame" && command == "crop")
            o.frame = value();
        else if (a == "--module")
            o.module = value();
        else if (a == "--jobs") {
            const std::string n = value();
            char *end = nullptr;
            const long jobs = std::strtol(n.c_str(), &end, 10);
            if (n.empty() || *end || jobs < 1 || jobs > kMaxJobs)
                throw UsageError("--jobs " + n + ": expected a whole number from 1 to 64");
            o.jobs = static_cast<int>(jobs);
        } else if (a == "--keep-going")
            o.keepGoing = true;
        else if (a == "--force")
            o.force = true;
        else if (!a.empty() && a[0] != '-' && o.scene.empty())
            o.scene = a;
        else
            throw UsageError("unknown argument '" + a + "'");
    }
    if (o.scene.empty())
        throw UsageError("no scene file given");
    if (o.in.empty() || o.out.empty())
        throw UsageError("--in and --out are needed");
    if (command == "crop" && o.frame.empty())
        throw UsageError("crop needs --frame NAME");
    return o;
}

// One frame's work: its plate and output files; an empty text when the file was written.
// What one job keeps from frame to frame: a 4K plate's first touch of new memory costs as much
// as its conversions. Each job has its own, on its own stack.
struct JobBuffers {
    PlateImage plate;
    FilterImage buffers;
};

using FrameWork =
    std::function<std::string(int frame, const std::string &plate, const std::string &output, JobBuffers &job)>;

// The plate's size against the camera's resolution: the same, or the same aspect (the frames are
// scaled to the plate); otherwise a message naming both.
std::string CheckPlateSize(const std::string &plate, const PlateImage &image, const Item &camera)
{
    const long long w = image.width, h = image.height, rw = camera.resolutionW, rh = camera.resolutionH;
    if (rw < 1 || rh < 1)
        return "camera " + camera.name + " has no resolution";
    // The same aspect when either side follows from the other within half a pixel, and the two
    // aspects differ by less than 1 %.
    const long long across = std::llabs(w * rh - h * rw);
    if (2 * across < std::max(rw, rh) && 100 * across < h * rw)
        return std::string();
    return plate + ": the plate is " + std::to_string(w) + " x " + std::to_string(h) + " and camera " + camera.name +
           " renders " + std::to_string(rw) + " x " + std::to_string(rh) +
           ", another aspect: its frames cannot be placed on it";
}

std::string Clock(double seconds)
{
    const long long s = std::llround(std::max(0.0, seconds));
    char text[32];
    std::snprintf(text, sizeof text, "%lld:%02lld:%02lld", s / 3600, s / 60 % 60, s % 60);
    return text;
}

// Hands the frames out to the jobs and reports: a progress line on a terminal, one line per
// frame otherwise, a summary at the end.
class SequenceRun {
public:
    SequenceRun(const Options &o, const SequencePattern &in, const SequencePattern &out, std::vector<int> frames,
                std::ostream &stream, bool terminal)
        : o_(o), in_(in), out_(out), frames_(std::move(frames)), stream_(stream), terminal_(terminal)
    {
    }

    int Run(const FrameWork &work)
    {
        const auto start = std::chrono::steady_clock::now();
        const int jobs = std::min<int>(o_.jobs > 0 ? o_.jobs : std::max(1u, std::thread::hardware_concurrency()),
                                       static_cast<int>(frames_.size()));
        std::vector<std::thread> threads;
        for (int j = 1; j < jobs; ++j)
            threads.emplace_back([&] { Work(work, start); });
        Work(work, start);
        for (std::thread &t : threads)
            t.join();
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        std::lock_guard<std::mutex> lock(mutex_);
        if (terminal_)
            stream_ << "\n";
        std::sort(failed_.begin(), failed_.end());
        const size_t notDone = frames_.size() - written_ - failed_.size();
        char rate[64];
        std::snprintf(rate, sizeof rate, "%.1f s, %.2f frames/s", seconds, seconds > 0 ? written_ / seconds : 0.0);
        stream_ << o_.command << ": " << written_ << " of " << frames_.size() << " frames written, " << failed_.size()
                << " failed" << (notDone ? ", " + std::to_string(notDone) + " not started" : std::string()) << ", "
                << rate << "\n";
        if (!failed_.empty()) {
            stream_ << "failed frames:";
            for (int f : failed_)
                stream_ << " " << f;
            stream_ << "\n";
        }
        stream_.flush();
        return written_ == frames_.size() ? 0 : 1;
    }

private:
    void Work(const FrameWork &work, std::chrono::steady_clock::time_point start)
    {
        JobBuffers job;
        for (;;) {
            if (stop_.load())
                return;
            const size_t index = next_.fetch_add(1);
            if (index >= frames_.size())
                return;
            const int frame = frames_[index];
            const std::string plate = SequencePath(in_, frame), output = SequencePath(out_, frame);
            std::string error;
            if (!o_.force && std::filesystem::exists(std::filesystem::u8path(output)))
                error = output + " exists already (--force writes over it)";
            else
                error = work(frame, plate, output, job);
            Report(frame, plate, output, error, start);
        }
    }

    void Report(int frame, const std::string &plate, const std::string &output, const std::string &error,
                std::chrono::steady_clock::time_point start)
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (error.empty()) {
            ++written_;
        } else {
            failed_.push_back(frame);
            if (!o_.keepGoing)
                stop_.store(true);
        }
        const size_t done = written_ + failed_.size();
        if (!terminal_ || !error.empty()) {
            if (terminal_)
                stream_ << "\r\x1b[K";
            stream_ << "frame " << frame << ": "
                    << (error.empty() ? plate + " -> " + output : std::string("not written: ") + error) << "\n";
        }
        if (terminal_) {
            const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            const double rate = seconds > 0 ? done / seconds : 0.0;
            char line[160];
            std::snprintf(line, sizeof line, "\r%s: %zu/%zu frames, %.2f frames/s, %s left\x1b[K", o_.command.c_str(),
                          done, frames_.size(), rate,
                          Clock(rate > 0 ? (frames_.size() - done) / rate : 0.0).c_str());
            stream_ << line;
        }
        stream_.flush();
    }

    const Options &o_;
    const SequencePattern &in_, &out_;
    const std::vector<int> frames_;
    std::ostream &stream_;
    const bool terminal_;
    std::atomic<size_t> next_{0};
    std::atomic<bool> stop_{false};
    std::mutex mutex_;
    size_t written_ = 0;
    std::vector<int> failed_;
};

void MakeFolderOf(const std::string &output)
{
    std::error_code ec;
    const std::filesystem::path folder = std::filesystem::u8path(output).parent_path();
    if (!folder.empty())
        std::filesystem::create_directories(folder, ec);
}

// Writes the result, making the output's folder first.
std::string Write(const std::string &output, const PlateImage &image)
{
    MakeFolderOf(output);
    std::string error;
    return WritePlate(output, image, error) ? std::string() : error;
}

FrameWork BurnWork(Host &host)
{
    return [&host](int frame, const std::string &plate, const std::string &output, JobBuffers &job) -> std::string {
        PlateImage &image = job.plate;
        FilterImage &buffers = job.buffers;
        std::string error;
        if (!ReadPlateBuffers(plate, image, buffers, error))
            return error;
        const Scene &scene = host.scene;
        const Item *camera = scene.Find(scene.RenderCameraAt(frame / scene.fps));
        if (!camera)
            return "the scene has no camera to render frame " + std::to_string(frame);
        error = CheckPlateSize(plate, image, *camera);
        if (!error.empty())
            return error;
        const std::string failure = host.imageFilters.ProcessScene(buffers, frame);
        if (!failure.empty())
            return failure;
        MakeFolderOf(output);
        return WritePlateBuffers(output, buffers, image, error) ? std::string() : error;
    };
}

FrameWork CropWork(const CropFrame &crop, const Item &camera)
{
    return [crop, &camera](int, const std::string &plate, const std::string &output, JobBuffers &job) -> std::string {
        PlateImage &image = job.plate;
        std::string error;
        if (!ReadPlate(plate, image, error))
            return error;
        error = CheckPlateSize(plate, image, camera);
        if (!error.empty())
            return error;
        CropGeometry geometry;
        if (!PlaceCrop(crop, image.width, image.height, geometry, error))
            return plate + ": " + error;
        return Write(output, CropPlate(image, geometry));
    };
}

bool StdoutIsTerminal()
{
#if defined(_WIN32)
    return _isatty(_fileno(stdout)) != 0;
#else
    return isatty(STDOUT_FILENO) != 0;
#endif
}

int Fail(std::ostream &err, const std::string &message)
{
    err << "zkhost: " << message << "\n";
    return 2;
}

} // namespace

std::string SequenceUsage()
{
    return "usage: zkhost burn SCENE --in PLATES --out OUTPUT [--frames A-B[xSTEP]] [--camera NAME] [OPTIONS]\n"
           "       zkhost crop SCENE --frame NAME --in PLATES --out OUTPUT [--frames A-B[xSTEP]] [OPTIONS]\n"
           "  burn: each plate through the scene's image filters (ZK:CameraFrame among them), as a render of that\n"
           "  frame (frames of the render camera, combined shading, burnt guides). crop: the named frame's inside, upright, at its size\n"
           "  scaled to the plate (bilinear; transparent black outside the plate).\n"
           "  PLATES and OUTPUT are sequence patterns: shot.####.exr or shot.%04d.exr. The frames are the scene's\n"
           "  render range unless --frames gives them; plates of another size than the camera's, in its aspect,\n"
           "  get the frames scaled to them.\n"
           "  OPTIONS: --jobs N (frames at once; default: one per core), --keep-going (go on past a frame that\n"
           "  fails), --force (write over existing files), --module FILE (default: zktools.p beside zkhost).\n"
           "  Exit status: 0 when every frame was written, 1 when one was not, 2 for a mistake in the command.\n" +
           ImageFormatsNote();
}

int RunSequenceCommand(const std::string &command, const std::vector<std::string> &arguments,
                       const std::string &defaultModule, std::ostream &out, std::ostream &err)
{
    Options o;
    try {
        o = ParseOptions(command, arguments);
    } catch (const UsageError &e) {
        err << "zkhost " << command << ": " << e.what() << "\n" << SequenceUsage();
        return 2;
    }
    SequencePattern in, output;
    std::string error;
    if (!ParseSequencePattern(o.in, in, error) || !ParseSequencePattern(o.out, output, error))
        return Fail(err, error);
    if (o.in == o.out)
        return Fail(err, "--in and --out name the same files");
    FrameRange range;
    if (!o.frames.empty() && !ParseFrameRange(o.frames, range, error))
        return Fail(err, error);

    Host host;
    host.BecomeRenderNode();
    if (!host.LoadModule(o.module.empty() ? defaultModule : o.module))
        return Fail(err, host.messages.back());
    if (!host.LoadScene(o.scene))
        return Fail(err, host.messages.empty() ? "cannot load " + o.scene : host.messages.back());
    if (!host.masters.Find(kServer))
        return Fail(err, o.scene + " has no ZK:CameraFrame master: it holds no camera frames");
    if (o.frames.empty()) {
        range.first = host.scene.frameStart;
        range.last = host.scene.frameEnd;
        range.step = std::max(1, host.scene.frameStep);
        if (!CheckFrameRange(range, error))
            return Fail(err, "the scene's render range " + std::to_string(range.first) + "-" +
                                 std::to_string(range.last) + ": " + error);
    }
    const bool terminal = &out == &std::cout && StdoutIsTerminal();
    SequenceRun run(o, in, output, range.Frames(), out, terminal);

    if (command == "burn") {
        if (!o.camera.empty()) {
            const Item *camera = host.scene.FindByName(o.camera);
            if (!camera || camera->kind != ItemKind::Camera)
                return Fail(err, "--camera " + o.camera + ": the scene has no camera of that name");
            host.scene.renderCamera = camera->id;
            host.scene.renderCameraSwitches.clear();
        }
        // The plates go through the scene's image filters, as its render would: a scene whose image
        // processing does not hold the frames' filter would burn nothing in.
        const auto &filters = host.imageFilters.All();
        if (std::none_of(filters.begin(), filters.end(), [](const auto &f) { return f->server == kServer; }))
            return Fail(err, o.scene + " has no ZK:CameraFrame image filter: add it to the scene's image "
                                       "processing to burn its frames in");
        return run.Run(BurnWork(host));
    }
    const FrameSet frames = SavedFrames(host, error);
    if (!frames)
        return Fail(err, error);
    const ZkDoorFrame *const first = frames->frames, *const last = frames->frames + frames->count;
    const ZkDoorFrame *const named = std::find_if(first, last, [&](const ZkDoorFrame &f) { return f.name == o.frame; });
    if (named == last) {
        std::string names;
        for (const ZkDoorFrame *f = first; f != last; ++f)
            names += (names.empty() ? "" : ", ") + std::string(f->name);
        return Fail(err, "--frame " + o.frame + ": no camera frame of that name (the scene has: " +
                             (names.empty() ? "none" : names) + ")");
    }
    const Item *camera = host.scene.Find(named->camera);
    if (!camera || camera->kind != ItemKind::Camera)
        return Fail(err, "--frame " + o.frame + ": the frame has no camera, so it has no place on a plate");
    CropFrame crop;
    crop.posX = named->posX;
    crop.posY = named->posY;
    crop.width = named->width;
    crop.height = named->aspect > 0 ? named->width / named->aspect : 0;
    crop.rotation = named->rotation;
    crop.resW = camera->resolutionW;
    crop.resH = camera->resolutionH;
    return run.Run(CropWork(crop, *camera));
}

} // namespace zkh
