#pragma once

#include <functional>

#include <QWidget>

#include "engine/game.h"
#include "engine/screen.h"
#include "layout/form1.h"

class QGroupBox;
class QLabel;
class QPushButton;

namespace barmen {

class Dice;
class QtPictureSource;
class StoryBox;

// The game's one window: two pictures, the story text, four action buttons and
// the four buttons of the system menu. It is the screen the game draws on, and
// only its own game draws on it: every picture comes from the Qt picture
// source it was given.
class Form1 final : public QWidget, private Screen {
    Q_OBJECT

public:
    Form1(const Story &story, QtPictureSource &pictures, Dice &dice, SaveStore &saves,
          QWidget *parent = nullptr);
    ~Form1() override;

    // Where problems go for the player; a message box unless tests say otherwise.
    using Reporter = std::function<void(const QString &message)>;
    void setReporter(Reporter reporter) { m_report = std::move(reporter); }

    GameState &state() { return m_game.state(); }

    // What a click on the button the layout gives this command does.
    void run(layout::Command command);

protected:
    void showEvent(QShowEvent *event) override;

private:
    // Screen
    void setText(std::string_view block) override;
    void showScene(std::unique_ptr<Picture> bg, std::unique_ptr<Picture> ch) override;

    void buildControls(const Story &story);
    void showBackground(const QPixmap &pixmap);
    void showCharacter(const QPixmap &pixmap);
    void report(const StepResult &result);

    Game m_game;
    Reporter m_report;
    bool m_shownOnce = false;

    QLabel *m_background = nullptr;         // bg
    QLabel *m_character = nullptr;          // ch
    StoryBox *m_storyBox = nullptr;         // Text1
    QWidget *m_firstFocus = nullptr;        // Command2, first in tab order
};

} // namespace barmen
