#pragma once

#include <QPushButton>

namespace barmen {

// A command button whose caption wraps onto further lines when the button is
// too narrow for it, as the tall quit button and the long progress caption need.
class CaptionButton final : public QPushButton {
public:
    CaptionButton(const QString &caption, QWidget *parent);

protected:
    void paintEvent(QPaintEvent *event) override;
};

} // namespace barmen
