// Allocations that fail on purpose: every form of operator new and, once
// routed here before the engine starts, the engine's own allocator. Only
// the allocations the calling thread makes while armed are counted, so a
// test arms the hook around one library call and nothing else.
#pragma once

namespace failing {

// Routes the engine's allocations through the hook; call before anything
// starts the engine. False when the engine has started already.
bool RouteEngineAllocations();

// Which allocations the hook counts and fails: every one, or the engine's alone.
enum class Counting { All, Engine };

// From now on the nth allocation (counted from 1) fails; with sticky every
// one after it fails too, as when memory has run out for good.
void Arm(long nth, bool sticky = false, Counting counting = Counting::All);
// Stops failing and counting; how many allocations were counted.
long Disarm();
// Whether an allocation failed since the hook was last armed.
bool Fired();
// How many allocations were counted while the hook was last armed.
long Counted();

// Arms the hook for one scope.
class Armed {
public:
    explicit Armed(long nth, bool sticky = false, Counting counting = Counting::All) { Arm(nth, sticky, counting); }
    ~Armed() { Disarm(); }
    Armed(const Armed&) = delete;
    Armed& operator=(const Armed&) = delete;
};

}  // namespace failing
