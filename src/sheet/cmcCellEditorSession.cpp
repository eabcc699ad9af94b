#include "sheet/cmcCellEditorSession.h"

#include "runtime/cmcEvCodes.h"
#include "runtime/cmcEvMan.h"

cmcCellEditorSession::cmcCellEditorSession(const cmcCellCapsule& origin, Answer valueLayer,
                                           std::function<std::string()> answerText, std::function<void()> close,
                                           cmcEvMan* events)
    : origin_(std::make_unique<cmcCellCapsule>()),
      valueLayer_(std::move(valueLayer)),
      answerText_(std::move(answerText)),
      close_(std::move(close)),
      events_(events) {
  origin_->CopyFrom(origin);
  if (events_) events_->Listen<&cmcCellEditorSession::OnEvent>(this);
}

cmcCellEditorSession::~cmcCellEditorSession() {
  if (events_) events_->Unlisten<&cmcCellEditorSession::OnEvent>(this);
}

bool cmcCellEditorSession::Confirm() {
  if (confirmed_ || cancelled_) return false;
  confirmed_ = true;
  cmcCellObj generic;
  generic.label = 1;
  cmcCellCapsule parent;
  parent.cell = &generic;
  cmcCellCapsule answer;
  answer.CopyFrom(*origin_);
  answer.inputKind = cmcCellCapsule::kInputPopupAnswer;
  answer.keyCode = 0;
  answer.inputText = answerText_ ? answerText_() : std::string();
  answer.parent = &parent;
  if (valueLayer_) valueLayer_(answer, true);
  return true;
}

void cmcCellEditorSession::Ok() {
  Confirm();
  Close();
}

void cmcCellEditorSession::Cancel() {
  cancelled_ = true;
  Close();
}

void cmcCellEditorSession::Deactivated() {
  if (closed_) return;
  Confirm();
  Close();
}

void cmcCellEditorSession::Close() {
  if (closed_) return;
  closed_ = true;
  if (close_) close_();
}

void cmcCellEditorSession::OnEvent(cmcEvent& event) {
  if (event.code == kEvCommitEdit) Deactivated();
  if (event.code == kEvOwnerClosing && event.argument == reinterpret_cast<intptr_t>(origin_->grid)) Cancel();
}
