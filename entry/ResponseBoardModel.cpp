#include "entry/ResponseBoardModel.h"

#include <algorithm>

namespace kestrune {

ResponseBoardModel::ResponseBoardModel() {
    for (int row = 1; row <= kRowCount; ++row) {
        const int top = kCircleTop + kRowPitch * (row - 1);
        TScriptCircle& a = circleA(row);
        TScriptCircle& b = circleB(row);
        a.Left = kCircleALeft;
        b.Left = kCircleBLeft;
        for (TScriptCircle* circle : {&a, &b}) {
            circle->Top = top;
            circle->Width = kCircleSize;
            circle->Height = kCircleSize;
            circle->Visible = false;
            circle->OnClick = [this](TScriptCircle& sender) { circleClicked(sender); };
            circle->Invalidate = [this](TScriptCircle& sender) {
                if (onRepaint)
                    onRepaint(sender);
            };
        }
        a.Tag = 2 * row;
        b.Tag = 2 * row - 1;
    }
}

void ResponseBoardModel::circleClicked(TScriptCircle& clicked) {
    circle(clicked.Tag).SetStatus(false);
    clicked.SetStatus(false);
}

int ResponseBoardModel::LayOutBoard(const std::vector<std::string>& words) {
    rowCount_ = std::min<int>(static_cast<int>(words.size()), kRowCount);
    words_.assign(words.begin(), words.begin() + rowCount_);
    for (int row = 1; row <= kRowCount; ++row) {
        circleA(row).Visible = rowVisible(row);
        circleB(row).Visible = rowVisible(row);
    }
    return scrollRange();
}

int ResponseBoardModel::circleAt(int x, int y) const {
    for (int number = 1; number <= kCircleCount; ++number) {
        const TScriptCircle& candidate = circle(number);
        if (candidate.Visible && candidate.contains(x, y))
            return number;
    }
    return 0;
}

std::optional<int> ResponseBoardModel::firstOpenRow() const {
    for (int row = 1; row <= rowCount_; ++row) {
        if (circleA(row).Status() == circleB(row).Status())
            return row;
    }
    return std::nullopt;
}

bool ResponseBoardModel::backgroundMouseDown(MouseButton button) {
    if (button == MouseButton::Middle)
        return false;
    const std::optional<int> row = firstOpenRow();
    if (!row)
        return false;
    (button == MouseButton::Left ? circleA(*row) : circleB(*row)).SetStatus(true);
    return true;
}

KeyOutcome ResponseBoardModel::keyPress(std::string_view character) {
    const std::optional<int> row = firstOpenRow();
    if (!row)
        return KeyOutcome::NoOpenRow;
    if (character == "4" || character == "z") {
        circleA(*row).SetStatus(true);
    } else if (character == "6" || character == "x") {
        circleB(*row).SetStatus(true);
    } else {
        return KeyOutcome::Ignored;
    }
    return *row == rowCount_ ? KeyOutcome::MarkedLastRow : KeyOutcome::Marked;
}

void ResponseBoardModel::StoreSheet(ResponseBuffer& buffer, int s, int p, int pairs) const {
    for (int row = 1; row <= rowCount_; ++row) {
        std::int32_t answer = kUnanswered;
        if (circleA(row).Status())
            answer = kChoseA;
        if (circleB(row).Status())
            answer = kChoseB;
        buffer.writeAt(ResponseBuffer::offsetOf(s, p, row, pairs, rowCount_), answer);
    }
}

SheetView ResponseBoardModel::LoadSheet(const ResponseBuffer& buffer, int s, int p, int pairs, int pairTabs) {
    SheetView view;
    if (p <= 1) {
        view.previousEnabled = false;
        // A single sheet has no next one: it is also the last.
        view.nextEnabled = pairTabs > 1;
        view.focus = pairTabs > 1 ? FocusTarget::Unchanged : FocusTarget::AddSubjectButton;
    } else if (p < pairTabs) {
        view = {true, true, FocusTarget::NextButton};
    } else {
        view = {true, false, FocusTarget::AddSubjectButton};
    }
    for (int row = 1; row <= rowCount_; ++row) {
        const std::int32_t answer = buffer.readAt(ResponseBuffer::offsetOf(s, p, row, pairs, rowCount_));
        circleA(row).SetStatus(answer == kChoseA);
        circleB(row).SetStatus(answer == kChoseB);
        if (answer != kChoseA && answer != kChoseB)
            view.focus = FocusTarget::KeyboardButton;
    }
    return view;
}

}  // namespace kestrune
