#pragma once

#include <functional>

#include <QWidget>

#include "engine/game.h"
#include "engine/screen.h"

class QGroupBox;
class QLabel;
class QTextEdit;
class QPushButton;

namespace barmen {

class Dice;

// The game's one window: two pictures, the story text, four action buttons and
// the four buttons of the system menu. It is the screen the game draws on.
class Form1 final : public QWidget, public Screen {
    Q_OBJECT

public:
    Form1(const Story &story, PictureSource &pictures, Dice &dice, QWidget *parent = nullptr);
    ~Form1() override;

    // Where problems go for the player; a message box unless tests say otherwise.
    using Reporter = std::function<void(const QString &message)>;
    void setReporter(Reporter reporter) { m_report = std::move(reporter); }

    GameState &state() { return m_game.state(); }

    // Screen
    void setText(std::string_view block) override;
    void showBackground(std::unique_ptr<Picture> picture) override;
    void showCharacter(std::unique_ptr<Picture> picture) override;

    // The eight buttons' click handlers.
    void choice1Clicked();      // Command2
    void choice2Clicked();      // Command3
    void choice3Clicked();      // Command4
    void progressClicked();     // Command6
    void startClicked();        // Command7
    void saveClicked(int index);// Command8, element 0 of its button array
    void loadClicked();         // Command9
    void quitClicked();         // Command10

protected:
    void showEvent(QShowEvent *event) override;

private:
    void buildControls();
    void press(ActionButton button);
    void reportStep(const StepResult &result);
    void writeText(const QString &text);

    PictureSource &m_pictures;
    Game m_game;
    Reporter m_report;
    bool m_shownOnce = false;

    QGroupBox *m_frame1 = nullptr;
    QGroupBox *m_frame2 = nullptr;
    QPushButton *m_command2 = nullptr;
    QPushButton *m_command3 = nullptr;
    QPushButton *m_command4 = nullptr;
    QPushButton *m_command6 = nullptr;
    QPushButton *m_command7 = nullptr;
    QPushButton *m_command8 = nullptr;
    QPushButton *m_command9 = nullptr;
    QPushButton *m_command10 = nullptr;
    QTextEdit *m_text1 = nullptr;
    QLabel *m_label1 = nullptr;
    QLabel *m_label2 = nullptr;
    QLabel *m_ch = nullptr;
    QLabel *m_bg = nullptr;
};

} // namespace barmen
