// The animator on its own, with no program around it: the backend then acts on the calling
// thread at once.
#include "actions/progress_animator.h"
#include "platform/headless/headless.h"
#include "platform/ids.h"

#include <gtest/gtest.h>

#include <vector>

namespace dg {
namespace {

namespace hl = headless;

// Watching a thread that has already ended, it steps once by one, a full bar falling back to
// 0, and leaves the bar hidden at 0.
TEST(ProgressAnimatorAlone, StepsOnceByOneAndLeavesTheBarHiddenAtZero) {
    for (const auto& [from, to] : {std::pair{41, 42}, std::pair{99, 100}, std::pair{100, 0}}) {
        hl::ResetWorld();
        ASSERT_TRUE(OpenWindow(MainWindow, 560, 295, "test", 0));
        CreateProgressBar(MainWindow, ProgressBar, {67, 230, 477, 10});
        CreateLabel(MainWindow, WorkingLabel, {15, 229, 50, 15}, "Working...");
        SetControlState(ProgressBar, from);
        ProgressAnimator(0);
        std::vector<std::vector<int>> steps;
        for (const hl::Operation& op : hl::Recorded().operations)
            if (op.name == "HideControl" || op.name == "SetControlState")
                steps.push_back({op.name[0], op.target, op.value});
        EXPECT_EQ(steps, (std::vector<std::vector<int>>{{'S', ProgressBar, from},
                                                        {'H', ProgressBar, 0},
                                                        {'H', WorkingLabel, 0},
                                                        {'S', ProgressBar, to},
                                                        {'H', ProgressBar, 1},
                                                        {'H', WorkingLabel, 1},
                                                        {'S', ProgressBar, 0}}));
    }
    hl::ResetWorld();
}

} // namespace
} // namespace dg
