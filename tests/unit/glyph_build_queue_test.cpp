#include "clock/glyph_build_queue.h"

#include <gtest/gtest.h>

#include "style/style_image.h"

namespace tdialix {
namespace {

TStyle Sized(double size) {
  TStyle s;
  s.FontSize = size;
  return s;
}

TEST(GlyphBuildQueue, AChangeWithoutImageFieldsBuildsNothing) {
  TGlyphBuildQueue queue(Sized(9));
  TStyle s = Sized(9);
  s.AnimationType = atFadeCross;
  s.ShowSecond = true;
  s.BackGrndAlpha = 40;
  s.BackGrndGradType = gtVert;
  s.VisibleTimeSlotList = {{dtWeekDay, 0.1, 0.2}};
  const TGlyphBuildQueue::TRequest request = queue.Request(s);
  EXPECT_FALSE(request.Start);
  EXPECT_FALSE(request.StopRunning);
  EXPECT_FALSE(queue.Running());
}

TEST(GlyphBuildQueue, TheNewestRequestWinsAndSupersededBuildsStop) {
  TGlyphBuildQueue queue(Sized(9));
  // Typing "50": 5 first.
  const TGlyphBuildQueue::TRequest five = queue.Request(Sized(5));
  ASSERT_TRUE(five.Start);
  EXPECT_EQ(five.Start->Style.FontSize, 5);
  // While 5 builds, 50 and then 51 are asked for: 5 is stopped, only 51 waits.
  const TGlyphBuildQueue::TRequest fifty = queue.Request(Sized(50));
  EXPECT_FALSE(fifty.Start);
  EXPECT_TRUE(fifty.StopRunning);
  EXPECT_TRUE(queue.Request(Sized(51)).StopRunning);
  // 5 ends stopped: nothing installs, 51 starts.
  TGlyphBuildQueue::TFinish finish = queue.Finished(five.Start->Generation, false);
  EXPECT_FALSE(finish.Install);
  ASSERT_TRUE(finish.Start);
  EXPECT_EQ(finish.Start->Style.FontSize, 51);
  EXPECT_EQ(queue.Installed().FontSize, 9) << "the clocks keep the last finished images";
  // 51 ends: it installs, nothing else runs.
  finish = queue.Finished(finish.Start->Generation, true);
  EXPECT_TRUE(finish.Install);
  EXPECT_FALSE(finish.Start);
  EXPECT_EQ(queue.Installed().FontSize, 51);
  EXPECT_FALSE(queue.Running());
}

TEST(GlyphBuildQueue, ABuildThatCompletesAfterBeingSupersededIsNotInstalled) {
  TGlyphBuildQueue queue(Sized(9));
  const unsigned first = queue.Request(Sized(20)).Start->Generation;
  queue.Request(Sized(30));
  const TGlyphBuildQueue::TFinish finish = queue.Finished(first, true);  // it finished before it saw the stop
  EXPECT_FALSE(finish.Install);
  ASSERT_TRUE(finish.Start);
  EXPECT_TRUE(queue.Finished(finish.Start->Generation, true).Install);
  EXPECT_EQ(queue.Installed().FontSize, 30);
}

TEST(GlyphBuildQueue, GoingBackToTheRunningOrTheShownImagesStartsNothing) {
  TGlyphBuildQueue queue(Sized(9));
  const unsigned twenty = queue.Request(Sized(20)).Start->Generation;
  EXPECT_TRUE(queue.Request(Sized(30)).StopRunning);
  // Back to 20 while it still runs: it is wanted again, 30 no longer waits.
  const TGlyphBuildQueue::TRequest back = queue.Request(Sized(20));
  EXPECT_FALSE(back.Start);
  EXPECT_FALSE(queue.Waiting());
  EXPECT_TRUE(queue.Finished(twenty, true).Install);

  // Back to the images shown while a build runs: it stops and installs nothing.
  const unsigned forty = queue.Request(Sized(40)).Start->Generation;
  EXPECT_TRUE(queue.Request(Sized(20)).StopRunning);
  const TGlyphBuildQueue::TFinish finish = queue.Finished(forty, true);
  EXPECT_FALSE(finish.Install);
  EXPECT_FALSE(finish.Start);
  EXPECT_EQ(queue.Installed().FontSize, 20);
}

TEST(GlyphBuildQueue, ImagesBuiltAnotherWayDropEveryBuild) {
  TGlyphBuildQueue queue(Sized(9));
  const unsigned twenty = queue.Request(Sized(20)).Start->Generation;
  queue.Request(Sized(30));
  EXPECT_TRUE(queue.Reset(Sized(12))) << "the running build is to stop";
  const TGlyphBuildQueue::TFinish finish = queue.Finished(twenty, true);
  EXPECT_FALSE(finish.Install);
  EXPECT_FALSE(finish.Start);
  EXPECT_EQ(queue.Installed().FontSize, 12);
  EXPECT_FALSE(queue.Request(Sized(12)).Start);
}

TEST(StyleImage, TheValuesDrawnWithTheImagesOfAnother) {
  TStyle values = Sized(30);
  values.AnimationType = atUp;
  values.BorderWidth = {5, 5, 5, 5};
  TStyle images = Sized(9);
  images.BackGrndType = btFill;
  const TStyle shown = WithImagesOf(values, images);
  EXPECT_EQ(shown.FontSize, 9);
  EXPECT_EQ(shown.BackGrndType, btFill);
  EXPECT_EQ(shown.BorderWidth, TRectF{});
  EXPECT_EQ(shown.AnimationType, atUp);
  EXPECT_FALSE(ImageFieldsDiffer(shown, images));
  EXPECT_TRUE(ImageFieldsDiffer(values, images));
}

}  // namespace
}  // namespace tdialix
