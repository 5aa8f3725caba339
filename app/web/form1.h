#pragma once

#include <memory>
#include <string_view>
#include <vector>

#include "engine/duel.h"
#include "engine/game.h"
#include "layout/form1.h"
#include "system/savefile.h"

namespace barmen::web {

// The page's window: the elements index.html holds (written from the layout
// at build time), the core's game under them, and one click handler per
// button, connected from the layout once the pictures are in memory.
class Form1 final : public Screen {
public:
    explicit Form1(const Story &story);

    // Every button of the layout, connected in one loop.
    void connect();

    void setText(std::string_view block) override;
    void showScene(std::unique_ptr<Picture> bg, std::unique_ptr<Picture> ch) override;

private:
    struct Button {
        Form1 *window;
        const layout::Control *control;
    };
    void run(layout::Command command);
    void report(const StepResult &result);
    void quit();

    class Pictures final : public PictureSource {
    public:
        PictureLoad load(std::string_view file) override;
    };

    Pictures m_pictures;
    ClockDice m_dice;
    system::SaveFile m_saves;
    Game m_game;
    std::vector<Button> m_buttons;
};

} // namespace barmen::web
