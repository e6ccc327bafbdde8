// What the split and the join have in common: how a command ended, which
// field a refusal points at, and the busy state around the work.
#pragma once

#include "engine/interaction.h"
#include "engine/stream64.h"

namespace kardomel {

enum class TOutcome {
  Done,       // the work is complete and reported
  Refused,    // the input was refused with a warning; nothing was written
  Cancelled,  // the user answered a question by cancelling, or stopped the copy
};

// The field that should receive the focus after a refusal.
enum class TField { None, Size, Count, Extension };

// Enters the busy state on construction and leaves it at every end.
class TBusyScope {
 public:
  explicit TBusyScope(TInteraction& ui) : ui_(ui) { ui_.SetBusy(true); }
  ~TBusyScope() { Leave(); }
  // Leaves early, before a closing message that must not find the window busy.
  void Leave() {
    if (busy_) ui_.SetBusy(false);
    busy_ = false;
  }
  TBusyScope(const TBusyScope&) = delete;
  TBusyScope& operator=(const TBusyScope&) = delete;

 private:
  TInteraction& ui_;
  bool busy_ = true;
};

// Thrown out of a copy when the user asked to stop; the command catches it,
// removes what it left incomplete and ends as TOutcome::Cancelled. No
// std::exception, so that no handler takes it for an error to show.
struct ECancelled {};

// Reports the bytes of one part's copy as progress of the whole command,
// and stops the copy between two blocks when the user asked for it.
class TPartProgress : public TCopyObserver {
 public:
  TPartProgress(TInteraction& ui, TProgress& state) : ui_(ui), state_(state) {}
  // Starts part Part of PartSize bytes; tells the user at once.
  void BeginPart(int32_t part, int64_t partSize) {
    state_.Part = part;
    state_.PartSize = partSize;
    state_.PartDone = 0;
    partBase_ = state_.TotalDone;
    ui_.Progress(state_);
    if (ui_.CancelRequested()) throw ECancelled();
  }
  void Copied(int64_t done) override {
    state_.PartDone = done;
    state_.TotalDone = partBase_ + done;
    ui_.Progress(state_);
    if (ui_.CancelRequested()) throw ECancelled();
  }

 private:
  TInteraction& ui_;
  TProgress& state_;
  int64_t partBase_ = 0;
};

}  // namespace kardomel
