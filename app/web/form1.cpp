#include "app/web/form1.h"

#include <string>

#include <emscripten/html5.h>

#include "pictures/load.h"
#include "system/failure.h"

// The page's side, in page.js.
extern "C" {
void barmen_set_text(const char *text);
void barmen_show_picture(const char *id, const void *rgba, int width, int height);
void barmen_show_message(const char *text);
void barmen_quit();
}

namespace barmen::web {

namespace {

// A decoded picture with its pixels in the byte order a canvas takes (R, G,
// B, A), turned round once when it is loaded rather than at every draw.
class CanvasPicture final : public Picture {
public:
    explicit CanvasPicture(pictures::Image image)
        : m_image(std::move(image))
    {
        const std::size_t count = std::size_t(m_image.width) * std::size_t(m_image.height);
        std::uint32_t *pixel = m_image.pixels.get();
        for (std::size_t i = 0; i < count; ++i) {
            const std::uint32_t argb = pixel[i];
            // 0xAARRGGBB to the bytes R, G, B, A on this little-endian machine.
            pixel[i] = (argb & 0xFF00FF00u) | ((argb >> 16) & 0xFFu) | ((argb & 0xFFu) << 16);
        }
    }

    void showIn(const char *id) const { barmen_show_picture(id, m_image.pixels.get(), m_image.width, m_image.height); }

private:
    pictures::Image m_image;
};

void show(const char *id, const std::unique_ptr<Picture> &picture)
{
    if (picture)
        static_cast<const CanvasPicture &>(*picture).showIn(id);
}

} // namespace

PictureLoad Form1::Pictures::load(std::string_view file)
{
    pictures::Loaded loaded = pictures::load(file);
    if (loaded.image.null())
        return {nullptr, loaded.problem, loaded.detail};
    return {std::make_unique<CanvasPicture>(std::move(loaded.image)), {}, {}};
}

Form1::Form1(const Story &story)
    : m_game(story, *this, m_pictures, m_dice, m_saves)
{
}

void Form1::connect()
{
    for (const layout::Control &c : layout::controls)
        if (c.command)
            m_buttons.push_back({this, &c});
    for (Button &button : m_buttons) {
        const std::string selector = "#" + std::string(button.control->name);
        emscripten_set_click_callback(selector.c_str(), &button, false,
                                      [](int, const EmscriptenMouseEvent *, void *data) -> EM_BOOL {
                                          const Button &b = *static_cast<const Button *>(data);
                                          b.window->run(*b.control->command);
                                          return EM_TRUE;
                                      });
    }
}

void Form1::run(layout::Command command)
{
    if (command == layout::Command::Quit) {
        quit();
        return;
    }
    report(m_game.run(command));
}

void Form1::report(const StepResult &result)
{
    // A failure, or a note on a click that went through: whatever the one
    // table has to say.
    if (const std::string message = system::messageFor(result); !message.empty())
        barmen_show_message(message.c_str());
}

void Form1::quit()
{
    // Nothing is saved: the buttons let go of the game and the window goes.
    for (const Button &button : m_buttons) {
        const std::string selector = "#" + std::string(button.control->name);
        emscripten_set_click_callback(selector.c_str(), nullptr, false, nullptr);
    }
    barmen_quit();
}

void Form1::setText(std::string_view block)
{
    barmen_set_text(std::string(block).c_str());
}

void Form1::showScene(std::unique_ptr<Picture> bg, std::unique_ptr<Picture> ch)
{
    show("bg", bg);
    show("ch", ch);
}

} // namespace barmen::web
