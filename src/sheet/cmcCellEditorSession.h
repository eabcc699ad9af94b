#pragma once
// A special editor's tie to the cell it edits: a copy of the originating capsule and
// the rules every editor window closes by. Confirming sends the editor's answer to
// the value layer at most once: the origin's copy with input kind 2, key code 0, the
// answer in its input text and, as parent capsule, a fresh one whose cell has label 1.
// OK confirms and closes; Cancel marks the edit cancelled and closes; losing the
// activation (or application event 21) confirms unless cancelled, then closes; event
// 1 naming the originating grid cancels and closes.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "cell/cmcCellCapsule.h"
#include "cell/cmcCellObj.h"

class cmcEvMan;
struct cmcEvent;

class cmcCellEditorSession {
 public:
  using Answer = std::function<uint8_t(cmcCellCapsule& request, bool act)>;

  // answerText gives the answer when it is sent; close hides the editor's window.
  cmcCellEditorSession(const cmcCellCapsule& origin, Answer valueLayer, std::function<std::string()> answerText,
                       std::function<void()> close, cmcEvMan* events = nullptr);
  ~cmcCellEditorSession();
  cmcCellEditorSession(const cmcCellEditorSession&) = delete;
  cmcCellEditorSession& operator=(const cmcCellEditorSession&) = delete;

  void Ok();
  void Cancel();
  // The window lost the activation (a click outside it).
  void Deactivated();
  // Sends the answer unless it was sent or the edit cancelled; true when it went now.
  bool Confirm();

  bool Confirmed() const { return confirmed_; }
  bool Cancelled() const { return cancelled_; }
  bool Closed() const { return closed_; }
  const cmcCellCapsule& Origin() const { return *origin_; }

 private:
  void Close();
  void OnEvent(cmcEvent& event);

  std::unique_ptr<cmcCellCapsule> origin_;
  Answer valueLayer_;
  std::function<std::string()> answerText_;
  std::function<void()> close_;
  cmcEvMan* events_;
  bool confirmed_ = false;
  bool cancelled_ = false;
  bool closed_ = false;
};
