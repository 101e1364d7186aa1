// PostedStep: a form's next step arrives through its own message, one at a time,
// and a step asked for again before it arrived runs once.
#include <gtest/gtest.h>
#include <windows.h>

#include "platform/ui/application.h"
#include "platform/ui/form.h"
#include "platform/ui/posted_step.h"

namespace trovex::ui {
namespace {

constexpr UINT kStepMessage = WM_APP + 40;

class StepForm : public Form {
 public:
  PostedStep step{kStepMessage};
  int steps = 0;
  int stepsWanted = 0;  // steps that ask for the next one as they run

 protected:
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
    if (step.Arrived(msg)) {
      ++steps;
      if (stepsWanted > 0 && --stepsWanted > 0) step.Follow(Handle());
      return 0;
    }
    return Form::WndProc(msg, wParam, lParam);
  }
};

TEST(UiPostedStep, AStepAskedForTwiceBeforeItArrivesRunsOnce) {
  StepForm form;
  form.step.Follow(form.Handle());
  EXPECT_TRUE(form.step.Queued());
  form.step.Follow(form.Handle());
  App().ProcessMessages();
  EXPECT_EQ(form.steps, 1);
  EXPECT_FALSE(form.step.Queued());

  // Once it has arrived, the next one is posted again.
  form.step.Follow(form.Handle());
  App().ProcessMessages();
  EXPECT_EQ(form.steps, 2);
}

TEST(UiPostedStep, EachStepMayAskForTheNextUntilTheWorkIsDone) {
  StepForm form;
  form.stepsWanted = 5;
  form.step.Post(form.Handle());
  App().ProcessMessages();
  EXPECT_EQ(form.steps, 5);
  EXPECT_FALSE(form.step.Queued());
}

TEST(UiPostedStep, OtherMessagesAreNotTheStep) {
  PostedStep step{kStepMessage};
  EXPECT_FALSE(step.Arrived(kStepMessage + 1));
  EXPECT_FALSE(step.Arrived(WM_TIMER));
  EXPECT_TRUE(step.Arrived(kStepMessage));
}

}  // namespace
}  // namespace trovex::ui
