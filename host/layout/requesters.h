// requesters.h: the file requester and colour picker, answered from a script.
#ifndef ZKH_REQUESTERS_H
#define ZKH_REQUESTERS_H

#include <deque>
#include <string>
#include <vector>

namespace zkh {

// What a script answers to the next requester.
struct FileAnswer {
    bool cancel = true;
    std::string path;     // what a save requester answers
    std::string loadPath; // what a load or folder requester answers, when it differs
};

struct ColorAnswer {
    int result = 0; // > 0 chosen, 0 cancelled, < 0 failed
    float red = 0, green = 0, blue = 0;
};

// What the module asked for.
struct FileRequest {
    int type = 0;
    std::string title;
    std::string fileType;
    std::string path;
};

struct ColorRequest {
    std::string title;
    float red = 0, green = 0, blue = 0;
};

class Requesters {
public:
    void AnswerFile(const std::string &path, const std::string &loadPath = std::string())
    {
        files.push_back({false, path, loadPath});
    }
    void CancelFile() { files.push_back({true, std::string(), std::string()}); }
    void AnswerColor(float r, float g, float b) { colors.push_back({1, r, g, b}); }
    void CancelColor() { colors.push_back({0, 0, 0, 0}); }

    // Pops the next answer; a requester with no scripted answer is cancelled.
    FileAnswer NextFile();
    // The path an answer gives a requester of this type (FREQ_LOAD, ...).
    static const std::string &AnsweredPath(const FileAnswer &answer, int type);
    ColorAnswer NextColor();

    std::deque<FileAnswer> files;
    std::deque<ColorAnswer> colors;
    std::vector<FileRequest> fileLog;
    std::vector<ColorRequest> colorLog;
};

} // namespace zkh

#endif
