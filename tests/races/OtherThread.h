// Another thread that opens and closes a project while this one is inside a
// file call: it ends unless this thread keeps the table of holds locked.
#pragma once
#include <chrono>
#include <future>
#include <memory>
#include <string>
#include <thread>

#include "support/TestStore.h"

// Whether another thread opened and closed the project at path within 30 seconds.
inline bool AnotherThreadOpensAndCloses(const TempDir& dir, const std::string& path) {
    auto done = std::make_shared<std::promise<void>>();
    std::future<void> closed = done->get_future();
    std::thread([&dir, path, done] {
        TestStore store(dir);
        store.Open(path.c_str());
        store.Close();
        done->set_value();
    }).detach();
    return closed.wait_for(std::chrono::seconds(30)) == std::future_status::ready;
}
