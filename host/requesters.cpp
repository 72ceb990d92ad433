// requesters.cpp: scripted answers.
#include "requesters.h"

namespace zkh {

FileAnswer Requesters::NextFile()
{
    if (files.empty())
        return FileAnswer{};
    FileAnswer answer = files.front();
    files.pop_front();
    return answer;
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
