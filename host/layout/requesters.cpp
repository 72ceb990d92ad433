// requesters.cpp: scripted answers.
#include "requesters.h"

#include "lwhost/lwhost.h"

namespace zkh {

FileAnswer Requesters::NextFile()
{
    if (files.empty())
        return FileAnswer{};
    FileAnswer answer = files.front();
    files.pop_front();
    return answer;
}

const std::string &Requesters::AnsweredPath(const FileAnswer &answer, int type)
{
    return type != FREQ_SAVE && !answer.loadPath.empty() ? answer.loadPath : answer.path;
}

ColorAnswer Requesters::NextColor()
{
    if (colors.empty())
        return ColorAnswer{};
    ColorAnswer answer = colors.front();
    colors.pop_front();
    return answer;
}

} // namespace zkh
