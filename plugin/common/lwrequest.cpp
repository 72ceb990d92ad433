// lwrequest.cpp: file requesters over "File Request 3".
#include "lwtool2.h"

#include <cstring>

namespace {

constexpr int kRequestBufferLength = 260;

// Copies text into a request buffer, cutting it to 259 characters.
void CopyToBuffer(char *buffer, const std::string &text)
{
    const size_t length = std::min(text.size(), static_cast<size_t>(kRequestBufferLength - 1));
    std::memcpy(buffer, text.data(), length);
    buffer[length] = '\0';
}

// Runs one request; true when the host answered with a chosen file.
bool RunRequest(LWFileReqLocal &request)
{
    if (!g_hostGlobals.fileRequest3)
        return false;
    return g_hostGlobals.fileRequest3(4, &request) == 0 && request.result > 0;
}

// The load requester's buffers are process-wide; the requester only runs on the interface thread.
char g_loadPath[kRequestBufferLength];
char g_loadBaseName[kRequestBufferLength];
char g_loadFullName[kRequestBufferLength];

} // namespace

std::string RequestLoadFile(const std::string &path, const std::string &title, const std::string &extension)
{
    const std::string pattern = extension.empty() ? std::string("*.*") : "*." + extension;
    g_loadBaseName[0] = '\0';
    g_loadFullName[0] = '\0';
    CopyToBuffer(g_loadPath, path);

    LWFileReqLocal request{};
    request.reqType = FREQ_LOAD;
    request.title = title.c_str();
    request.fileType = pattern.c_str();
    request.path = g_loadPath;
    request.baseName = g_loadBaseName;
    request.fullName = g_loadFullName;
    request.bufLen = kRequestBufferLength;
    request.pickName = nullptr;
    if (!RunRequest(request))
        return std::string();
    g_loadFullName[kRequestBufferLength - 1] = '\0';
    return std::string(g_loadFullName);
}

static bool EndsWith(const std::string &text, const std::string &tail)
{
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

std::string RequestSaveFile(const std::string &path, const std::string &title, const std::string &extension)
{
    char pathBuffer[kRequestBufferLength];
    char baseName[kRequestBufferLength] = {};
    char fullName[kRequestBufferLength] = {};
    CopyToBuffer(pathBuffer, path);

    LWFileReqLocal request{};
    request.reqType = FREQ_SAVE;
    request.title = title.c_str();
    request.fileType = extension.c_str(); // the save requester takes the bare extension
    request.path = pathBuffer;
    request.baseName = baseName;
    request.fullName = fullName;
    request.bufLen = kRequestBufferLength;
    request.pickName = nullptr;
    if (!RunRequest(request))
        return std::string();
    fullName[kRequestBufferLength - 1] = '\0';
    std::string chosen(fullName);
    // The comparison leaves the dot out: "clipsxml" already ends with "xml".
    if (!EndsWith(chosen, extension))
        chosen += "." + extension;
    return chosen;
}
