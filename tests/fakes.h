#pragma once

#include <deque>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/duel.h"
#include "engine/namedpicture.h"
#include "engine/savestore.h"
#include "engine/screen.h"

namespace barmen::test {

// Records every window operation in order, as "bg:<file>", "ch:<file>" or
// "text:<block>"; a scene's two pictures come in one call, bg first, and
// `scenes` counts those calls.
class RecordingScreen final : public Screen {
public:
    void setText(std::string_view block) override { ops.push_back("text:" + std::string(block)); }
    void showScene(std::unique_ptr<Picture> bg, std::unique_ptr<Picture> ch) override
    {
        ++scenes;
        if (!bg && !ch)
            ops.push_back("scene without pictures");
        if (bg)
            ops.push_back("bg:" + nameOf(*bg));
        if (ch)
            ops.push_back("ch:" + nameOf(*ch));
    }

    std::vector<std::string> ops;
    int scenes = 0;

private:
    static std::string nameOf(const Picture &p) { return static_cast<const NamedPicture &>(p).file; }
};

// Hands out named pictures, except for the files it is told are broken.
class FakePictures final : public PictureSource {
public:
    PictureLoad load(std::string_view file) override
    {
        loads.emplace_back(file);
        if (broken.count(std::string(file)))
            return {nullptr, {Failure::Damaged}, {"GIF"}};
        return {std::make_unique<NamedPicture>(std::string(file)), {}, {}};
    }

    std::set<std::string> broken;
    std::vector<std::string> loads;
};

// Gives back the values it was handed, in order, and counts reseeds.
class ScriptedDice final : public Dice {
public:
    void reseed() override
    {
        ++reseeds;
        if (log)
            log->push_back("draw");
    }
    // A draw the test did not plan for is the test's own mistake: it fails
    // there, rather than reading past the end of the queue.
    float uniform() override
    {
        if (values.empty()) {
            ADD_FAILURE() << "the dice were asked for more values than the test gave them";
            return 0.5f;
        }
        const float v = values.front();
        values.pop_front();
        return v;
    }

    std::deque<float> values;
    int reseeds = 0;
    std::vector<std::string> *log = nullptr;   // where "draw" goes, beside a screen's operations
};

// Keeps the saved label in memory; a save or load fails with `error` when set.
class MemorySaves final : public SaveStore {
public:
    Result write(std::string_view label) override
    {
        if (error)
            return failed(Doing::Writing, error);
        saved = std::string(label);
        return {true, {}, file, {}, {}};
    }
    Result read() override
    {
        if (error || !saved)
            return failed(Doing::Opening, error ? error : Problem{Failure::NoSave});
        return {true, *saved, file, {}, {}};
    }

    std::optional<std::string> saved;
    Problem error;
    std::string file = "memory";

private:
    Result failed(Doing doing, Problem why) const { return {false, {}, file, doing, why}; }
};

} // namespace barmen::test
