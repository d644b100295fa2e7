// The in-memory window and dialogs.
#include "tests/fakes/fake_window.h"

#include "core/clock.h"
#include "core/startup.h"
#include "ui/dialogs.h"
#include "ui/events.h"
#include "ui/layout.h"

namespace fake {

namespace {

Window theWindow;

int Index(Ctl control) {
    return static_cast<int>(control);
}

}  // namespace

Window& TheWindow() {
    return theWindow;
}

ControlState& State(Ctl control) {
    return theWindow.controls[Index(control)];
}

void ResetWindow() {
    theWindow = Window{};
    for (int i = 0; i < kControlCount; ++i) {
        const ControlLayout& layout = LayoutOf(static_cast<Ctl>(i));
        ControlState& state = theWindow.controls[i];
        state.text = layout.text;
        state.checked = layout.checked;
        state.visible = layout.visible;
        state.width = layout.width;
    }
}

void Click(Ctl control) {
    if (control == Ctl::单选框_内网 || control == Ctl::单选框_外网) {
        State(Ctl::单选框_内网).checked = control == Ctl::单选框_内网;
        State(Ctl::单选框_外网).checked = control == Ctl::单选框_外网;
    }
    DispatchEvent(control, UiEvent::Clicked);
}

void PickItem(Ctl control, std::int32_t index) {
    State(control).selection = index;
    DispatchEvent(control, UiEvent::ItemPicked);
}

void SelectRow(Ctl control, std::int32_t row) {
    State(control).selection = row;
    DispatchEvent(control, UiEvent::CurrentRowChanged);
}

void ChangePage(std::int32_t page) {
    State(Ctl::选择夹1).page = page;
    DispatchEvent(Ctl::选择夹1, UiEvent::PageChanged);
}

void CloseWindow() {
    OnMainWindowDestroying();
    theWindow.closed = true;
}

}  // namespace fake

using fake::State;

std::string GetText(Ctl control) {
    return State(control).text;
}

void SetText(Ctl control, std::string_view text) {
    State(control).text = std::string(text);
}

bool IsChecked(Ctl control) {
    return State(control).checked;
}

void ClearComboItems(Ctl control) {
    State(control).items.clear();
    State(control).selection = -1;
}

void AppendComboItem(Ctl control, std::string_view text) {
    State(control).items.emplace_back(text);
}

std::int32_t ComboItemCount(Ctl control) {
    return static_cast<std::int32_t>(State(control).items.size());
}

std::int32_t ComboSelection(Ctl control) {
    return State(control).selection;
}

void SetComboSelection(Ctl control, std::int32_t index) {
    // Like the real drop-down list: an index outside the items selects nothing.
    const bool valid = index >= 0 && index < ComboItemCount(control);
    State(control).selection = valid ? index : -1;
}

void ClearListRows(Ctl control) {
    State(control).rows.clear();
    State(control).selection = -1;
}

void AppendListRow(Ctl control, const std::vector<std::string>& cells) {
    State(control).rows.push_back(cells);
}

std::int32_t ListSelection(Ctl control) {
    return State(control).selection;
}

std::string ListCell(Ctl control, std::int32_t row, std::int32_t column) {
    const auto& rows = State(control).rows;
    if (row < 0 || row >= static_cast<std::int32_t>(rows.size()) || column < 0 ||
        column >= static_cast<std::int32_t>(rows[row].size())) {
        return {};
    }
    return rows[row][column];
}

void SetProgressMaximum(Ctl control, std::int32_t maximum) {
    State(control).progressMaximum = maximum;
}

std::int32_t ProgressMaximum(Ctl control) {
    return State(control).progressMaximum;
}

void SetProgressPosition(Ctl control, std::int32_t position) {
    // Like the real progress bar: the position stays within 0 … maximum.
    const std::int32_t maximum = State(control).progressMaximum;
    State(control).progressPosition = position < 0 ? 0 : (position > maximum ? maximum : position);
}

std::int32_t ProgressPosition(Ctl control) {
    return State(control).progressPosition;
}

std::int32_t Width(Ctl control) {
    return State(control).width;
}

void SetWidth(Ctl control, std::int32_t width) {
    State(control).width = width;
}

void SetVisible(Ctl control, bool visible) {
    State(control).visible = visible;
}

std::int32_t CurrentPage(Ctl control) {
    return State(control).page;
}

namespace {

void RunPendingEvents() {
    auto& window = fake::TheWindow();
    while (!window.pendingEvents.empty() && !window.closed) {
        auto event = std::move(window.pendingEvents.front());
        window.pendingEvents.pop_front();
        event();
    }
}

}  // namespace

bool ProcessPendingEvents() {
    auto& window = fake::TheWindow();
    ++window.pendingEventRuns;
    if (window.closed) {
        return false;
    }
    RunPendingEvents();
    return !window.closed;
}

bool WaitProcessingEvents(std::uint32_t milliseconds) {
    auto& window = fake::TheWindow();
    if (window.closed) {
        return false;
    }
    window.waitDurations.push_back(milliseconds);
    SleepMilliseconds(milliseconds);
    ++window.waits;
    if (window.onWait) {
        window.onWait(window.waits);
    }
    RunPendingEvents();
    return !window.closed;
}

void ShowMessage(std::string_view text) {
    fake::TheWindow().messages.emplace_back(text);
}

bool AskName(std::string_view prompt, std::string_view caption, std::string& name) {
    auto& window = fake::TheWindow();
    window.nameDialogs.push_back({std::string(prompt), std::string(caption), name});
    if (window.nameAnswers.empty()) {
        return false;
    }
    const fake::NameDialogAnswer answer = window.nameAnswers.front();
    window.nameAnswers.pop_front();
    if (answer.ok) {
        name = answer.text;
    }
    return answer.ok;
}
