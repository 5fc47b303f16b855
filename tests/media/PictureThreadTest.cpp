#include "media/PictureThread.h"

#include <gtest/gtest.h>

#include <future>
#include <vector>

namespace rw::media {
namespace {

// While a job runs, only the newest of those offered waits: the ones it
// replaced never run.
TEST(PictureThread, RunsTheNewestJobOffered) {
    std::vector<int> ran;  // written by the thread only, read once it is gone
    std::promise<void> started, release;
    {
        PictureThread thread;
        thread.offer([&] {
            started.set_value();
            release.get_future().wait();
            ran.push_back(1);
        });
        started.get_future().wait();
        for (int job : {2, 3, 4}) thread.offer([&ran, job] { ran.push_back(job); });
        std::promise<void> done;
        thread.offer([&] {
            ran.push_back(5);
            done.set_value();
        });
        release.set_value();
        done.get_future().wait();
    }
    EXPECT_EQ(ran, (std::vector<int>{1, 5}));
}

}  // namespace
}  // namespace rw::media
