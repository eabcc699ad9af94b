#pragma once
// The process-wide event manager: objects exchange numbered events (cmcEvCodes.h)
// that are sent (delivered at once), posted (delivered by the manager's own 10 ms
// dispatch turn, on a later turn than the one they were posted in) or asked (sent,
// with listeners able to answer). The listener registered last is called first.
// Listeners may send, post, ask, listen and unlisten while handling an event.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <list>
#include <memory>
#include <string_view>

#include "runtime/cmcClock.h"
#include "runtime/cmcEvAnswer.h"
#include "runtime/cmcEvent.h"
#include "runtime/cmcTask.h"

class cmcEvMan {
 public:
  using Callback = void (*)(void* object, cmcEvent& event);

  // Starts the dispatch turn on a task of the host.
  explicit cmcEvMan(cmcTimerHost& host);
  // Stops the turn, drops queued events undelivered and forgets every listener.
  ~cmcEvMan();
  cmcEvMan(const cmcEvMan&) = delete;
  cmcEvMan& operator=(const cmcEvMan&) = delete;

  // Puts (callback, object) at the front, replacing an equal entry; a null callback
  // is ignored.
  void Listen(Callback callback, void* object);
  // Stops deliveries to every equal entry at once; the entries are freed later.
  void Unlisten(Callback callback, void* object);
  // Member-function forms: Listen<&T::OnEvent>(this) with void T::OnEvent(cmcEvent&).
  template <auto Method, class T>
  void Listen(T* object) {
    Listen(&MethodThunk<Method, T>, object);
  }
  template <auto Method, class T>
  void Unlisten(T* object) {
    Unlisten(&MethodThunk<Method, T>, object);
  }

  void Send(uint8_t code, intptr_t sender = 0, intptr_t argument = 0);
  // The text is copied with its terminating zero.
  void SendText(uint8_t code, std::string_view text);
  void SendText(uint8_t code, intptr_t sender, intptr_t argument, std::string_view text);

  void Post(uint8_t code, intptr_t sender = 0, intptr_t argument = 0);
  void PostText(uint8_t code, intptr_t sender, intptr_t argument, std::string_view text);
  void PostData(uint8_t code, const void* bytes, size_t length);

  // Delivers at once with mode Asked; returns the first answer, which owns the ones
  // given after it, or nothing when no listener answered. Asks may nest.
  std::unique_ptr<cmcEvAnswer> Ask(uint8_t code, intptr_t sender = 0, intptr_t argument = 0);
  // Answer the innermost ask in progress; ignored when no ask is in progress.
  void Answer(intptr_t data, intptr_t window);
  void AnswerBytes(const void* bytes, size_t length);

  // A hook run at the start of every dispatch turn (window stacking housekeeping).
  void SetTurnHook(std::function<void()> hook) { turnHook_ = std::move(hook); }

 private:
  struct Listener {
    Callback callback;
    void* object;
    bool removed = false;
  };
  struct Queued {
    cmcEvent event;
    bool done = false;
    bool fresh = true;  // posted during the current turn: waits for the next one
  };
  struct AskContext {
    std::unique_ptr<cmcEvAnswer> first;
    std::unique_ptr<cmcEvAnswer>* tail = &first;
  };

  template <auto Method, class T>
  static void MethodThunk(void* object, cmcEvent& event) {
    (static_cast<T*>(object)->*Method)(event);
  }
  static cmcEvent Make(uint8_t code, cmcEvMode mode, intptr_t sender, intptr_t argument);
  static void CopyText(cmcEvent& event, std::string_view text);
  void Deliver(cmcEvent& event);
  void Enqueue(cmcEvent event);
  void AddAnswer(std::unique_ptr<cmcEvAnswer> answer);
  void DispatchTurn();

  std::list<Listener> listeners_;
  std::list<Queued> queue_;
  AskContext* ask_ = nullptr;
  // Walks over the listener list in progress, nested sends and turns included;
  // removed entries are freed only when it is 0.
  int walkDepth_ = 0;
  std::function<void()> turnHook_;
  cmcTask task_;
};
