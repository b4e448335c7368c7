#pragma once

// Runs one step of a handler whose failures are passed over silently: the
// handler goes on with its next step.
template <typename F> void skipOnFailure(F&& step) {
    try {
        step();
    } catch (...) {
    }
}
