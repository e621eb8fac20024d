// The interpreter crashes ("Bus error") when several copies of it run at once, as parallel test
// processes do; each run waits for the others through one lock file. A run that does not end
// (the interpreter loops on some cycle profiles) is stopped, so it cannot hold the lock forever.
#pragma once

inline constexpr const char* kRs274Serialized = "flock /tmp/kestrovel-rs274.lock timeout 60 ";
