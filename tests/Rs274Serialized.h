// The interpreter crashes ("Bus error") when several copies of it run at once, as parallel test
// processes do; each run waits for the others through one lock file.
#pragma once

inline constexpr const char* kRs274Serialized = "flock /tmp/kestrovel-rs274.lock ";
