// scene_block_io.cpp: single-item writes and reads of scene blocks.
#include "scene_block_io.h"

#include "lwfloat.h"
#include "utf8_text.h"

#include <algorithm>
#include <cmath>
#include <cstring>

void PutBlockI4(const LWSaveState &save, int value) { save.writeI4(save.writeData, &value, 1); }

void PutBlockI4s(const LWSaveState &save, const int *values, int count) { save.writeI4(save.writeData, values, count); }

void PutBlockU4(const LWSaveState &save, unsigned int value) { save.writeU4(save.writeData, &value, 1); }

void PutBlockFP(const LWSaveState &save, double value, float fallback)
{
    const float narrowed = BlockFloat(value, fallback);
    save.writeFP(save.writeData, &narrowed, 1);
}

std::string SceneString(std::string text)
{
    for (char &c : text) {
        if (static_cast<unsigned char>(c) < 0x20)
            c = ' ';
        else if (c == '"')
            c = '\'';
    }
    return text;
}

void PutBlockStr(const LWSaveState &save, const std::string &text)
{
    save.writeStr(save.writeData, SceneString(text).c_str());
}

int SceneBlockReader::ReadText(int maxLength)
{
    if (!ok_)
        return -1;
    buffer_.assign(static_cast<size_t>(maxLength), '\0');
    const int length = load_.readStr(load_.readData, buffer_.data(), maxLength);
    if (length < 0)
        ok_ = false;
    return length;
}

bool SceneBlockReader::Str(std::string &out, int maxLength)
{
    const int length = ReadText(maxLength);
    if (length < 0)
        return false;
    out.assign(buffer_.data(), static_cast<size_t>(std::min(length, maxLength - 1)));
    return true;
}

bool SceneBlockReader::CStr(std::string &out, int maxLength)
{
    if (ReadText(maxLength) < 0)
        return false;
    buffer_[static_cast<size_t>(maxLength - 1)] = '\0'; // a host that fills the whole buffer leaves no terminator
    out.assign(buffer_.data(), strnlen(buffer_.data(), static_cast<size_t>(maxLength - 1)));
    return true;
}

bool SceneBlockReader::Text(std::string &out, int maxBytes)
{
    std::string read;
    if (!CStr(read, maxBytes + 2))
        return false;
    out = CutAtCharacter(read, static_cast<size_t>(maxBytes));
    return true;
}

bool SceneBlockReader::I4s(int *values, int count)
{
    if (ok_ && load_.readI4(load_.readData, values, count) != count)
        ok_ = false;
    return ok_;
}

bool SceneBlockReader::U4(unsigned int &out)
{
    if (ok_ && load_.readU4(load_.readData, &out, 1) != 1)
        ok_ = false;
    return ok_;
}

bool SceneBlockReader::Bool(bool &out)
{
    int value = 0;
    if (!I4(value))
        return false;
    out = value != 0;
    return true;
}

bool SceneBlockReader::FP(double &out, double fallback)
{
    float value = 0.0f;
    if (ok_ && load_.readFP(load_.readData, &value, 1) != 1)
        ok_ = false;
    if (ok_)
        out = std::isfinite(value) ? static_cast<double>(value) : fallback;
    return ok_;
}
