// The animator on its own, with no program around it: the backend then acts on the calling
// thread at once.
#include "actions/progress_animator.h"
#include "platform/headless/headless.h"
#include "platform/ids.h"
#include "platform/threads.h"
#include "platform/ui.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <utility>
#include <vector>

namespace dg {
namespace {

namespace hl = headless;

std::vector<std::string> Steps() {
    std::vector<std::string> steps;
    for (const hl::Operation& op : hl::Operations())
        if (op.name == "HideControl" || op.name == "SetControlState")
            steps.push_back(op.name + " " + std::to_string(op.target) + " " +
                            std::to_string(op.value));
    return steps;
}

class ProgressAnimatorAlone : public ::testing::Test {
protected:
    void SetUp() override {
        hl::ResetWorld();
        ASSERT_NE(OpenWindow(MainWindow, 560, 295, "test", 0), 0);
        CreateProgressBar(MainWindow, ProgressBar, {67, 230, 477, 10});
        CreateLabel(MainWindow, WorkingLabel, {15, 229, 50, 15}, "Working...");
        HideControl(ProgressBar, 1);
        HideControl(WorkingLabel, 1);
    }
    void TearDown() override { hl::ResetWorld(); }
};

TEST_F(ProgressAnimatorAlone, StepsOnceEvenWhenTheJobHasAlreadyEnded) {
    ProgressAnimator(0);
    EXPECT_EQ(Steps(), (std::vector<std::string>{"HideControl 10 1", "HideControl 16 1",
                                                 "HideControl 10 0", "HideControl 16 0",
                                                 "SetControlState 10 1", "HideControl 10 1",
                                                 "HideControl 16 1", "SetControlState 10 0"}));
}

TEST_F(ProgressAnimatorAlone, StepsByOneAndAFullBarFallsBackToZero) {
    for (const auto& [from, to] : {std::pair{41, 42}, std::pair{99, 100}, std::pair{100, 0}}) {
        SetControlState(ProgressBar, from);
        const std::size_t before = hl::Operations().size();
        ProgressAnimator(0);
        std::vector<int> values;
        const auto operations = hl::Operations();
        for (std::size_t i = before; i < operations.size(); ++i)
            if (operations[i].name == "SetControlState")
                values.push_back(operations[i].value);
        EXPECT_EQ(values, (std::vector<int>{to, 0})) << "from " << from;
    }
}

} // namespace
} // namespace dg
