#include "runtime/cmcEvMan.h"

#include <cstring>

namespace {
constexpr int kDispatchPeriodMs = 10;
}  // namespace

cmcEvMan::cmcEvMan(cmcTimerHost& host) : task_(host) {
  task_.SetCallback<&cmcEvMan::DispatchTurn>(this);
  task_.SetPeriod(kDispatchPeriodMs);
}

cmcEvMan::~cmcEvMan() {
  task_.Stop();
  queue_.clear();
  listeners_.clear();
}

void cmcEvMan::Listen(Callback callback, void* object) {
  if (!callback) return;
  Unlisten(callback, object);
  listeners_.push_front(Listener{callback, object});
}

void cmcEvMan::Unlisten(Callback callback, void* object) {
  if (!callback) return;
  for (auto& l : listeners_)
    if (l.callback == callback && l.object == object) l.removed = true;
}

cmcEvent cmcEvMan::Make(uint8_t code, cmcEvMode mode, intptr_t sender, intptr_t argument) {
  cmcEvent event;
  event.code = code;
  event.mode = mode;
  event.sender = sender;
  event.argument = argument;
  return event;
}

void cmcEvMan::CopyText(cmcEvent& event, std::string_view text) {
  event.data.assign(text.begin(), text.end());
  event.data.push_back(0);
}

void cmcEvMan::Deliver(cmcEvent& event) {
  // Entries are never erased while a walk is in progress, so the iterator stays
  // valid; entries listened during the walk go to the front, before it.
  ++walkDepth_;
  for (auto it = listeners_.begin(); it != listeners_.end(); ++it)
    if (!it->removed) it->callback(it->object, event);
  --walkDepth_;
}

void cmcEvMan::Send(uint8_t code, intptr_t sender, intptr_t argument) {
  cmcEvent event = Make(code, cmcEvMode::Sent, sender, argument);
  Deliver(event);
}

void cmcEvMan::SendText(uint8_t code, std::string_view text) { SendText(code, 0, 0, text); }

void cmcEvMan::SendText(uint8_t code, intptr_t sender, intptr_t argument, std::string_view text) {
  cmcEvent event = Make(code, cmcEvMode::Sent, sender, argument);
  CopyText(event, text);
  Deliver(event);
}

void cmcEvMan::Enqueue(cmcEvent event) { queue_.push_back(Queued{std::move(event)}); }

void cmcEvMan::Post(uint8_t code, intptr_t sender, intptr_t argument) {
  Enqueue(Make(code, cmcEvMode::Posted, sender, argument));
}

void cmcEvMan::PostText(uint8_t code, intptr_t sender, intptr_t argument, std::string_view text) {
  cmcEvent event = Make(code, cmcEvMode::Posted, sender, argument);
  CopyText(event, text);
  Enqueue(std::move(event));
}

void cmcEvMan::PostData(uint8_t code, const void* bytes, size_t length) {
  cmcEvent event = Make(code, cmcEvMode::Posted, 0, 0);
  if (bytes && length) {
    const auto* b = static_cast<const uint8_t*>(bytes);
    event.data.assign(b, b + length);
  }
  Enqueue(std::move(event));
}

std::unique_ptr<cmcEvAnswer> cmcEvMan::Ask(uint8_t code, intptr_t sender, intptr_t argument) {
  AskContext context;
  AskContext* outer = ask_;
  ask_ = &context;
  cmcEvent event = Make(code, cmcEvMode::Asked, sender, argument);
  Deliver(event);
  ask_ = outer;
  return std::move(context.first);
}

void cmcEvMan::AddAnswer(std::unique_ptr<cmcEvAnswer> answer) {
  *ask_->tail = std::move(answer);
  ask_->tail = &(*ask_->tail)->next;
}

void cmcEvMan::Answer(intptr_t data, intptr_t window) {
  if (!ask_) return;
  auto answer = std::make_unique<cmcEvAnswer>();
  answer->data = data;
  answer->window = window;
  AddAnswer(std::move(answer));
}

void cmcEvMan::AnswerBytes(const void* bytes, size_t length) {
  if (!ask_) return;
  auto answer = std::make_unique<cmcEvAnswer>();
  if (bytes && length) {
    const auto* b = static_cast<const uint8_t*>(bytes);
    answer->bytes.assign(b, b + length);
  }
  AddAnswer(std::move(answer));
}

void cmcEvMan::DispatchTurn() {
  if (turnHook_) turnHook_();
  for (auto& q : queue_) q.fresh = false;
  // Entries posted during this walk are appended with the fresh mark and skipped.
  for (auto& q : queue_) {
    if (q.done || q.fresh) continue;
    q.done = true;
    Deliver(q.event);
  }
  queue_.remove_if([](const Queued& q) { return q.done; });
  // A send further up the stack (a listener running a nested message loop) may
  // still be walking the list; its entries are freed on a later turn.
  if (walkDepth_ == 0) listeners_.remove_if([](const Listener& l) { return l.removed; });
}
