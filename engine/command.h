#pragma once

#include <array>
#include <optional>

#include "engine/scenetable.h"

namespace barmen {

// What a button does when clicked: one of the four action buttons' tables, or
// one of the system menu's four jobs. Every front end connects its buttons
// from the layout's commands and hands them to Game::run, so no window names
// a button to know what it is for, nor repeats what each one does.
enum class Command { Choice1, Choice2, Choice3, Progress, Start, Save, Load, Quit };

inline constexpr std::array<Command, 8> commands{
    Command::Choice1, Command::Choice2, Command::Choice3, Command::Progress,
    Command::Start,   Command::Save,    Command::Load,    Command::Quit,
};

// The scene table a command runs; none for the system menu's four.
constexpr std::optional<ActionButton> actionOf(Command command)
{
    switch (command) {
    case Command::Choice1: return ActionButton::Choice1;
    case Command::Choice2: return ActionButton::Choice2;
    case Command::Choice3: return ActionButton::Choice3;
    case Command::Progress: return ActionButton::Progress;
    case Command::Start:
    case Command::Save:
    case Command::Load:
    case Command::Quit: break;
    }
    return std::nullopt;
}

// The command of the button that runs this action's table.
constexpr Command commandOf(ActionButton action)
{
    switch (action) {
    case ActionButton::Choice1: return Command::Choice1;
    case ActionButton::Choice2: return Command::Choice2;
    case ActionButton::Choice3: return Command::Choice3;
    case ActionButton::Progress: break;
    }
    return Command::Progress;
}

} // namespace barmen
