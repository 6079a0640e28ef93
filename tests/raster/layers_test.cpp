// The layer stack on its own: membership and the notifications a layer sends
// through its collection (a collection without a widget works).
#include <memory>

#include <gtest/gtest.h>

#include "raster/errors.h"
#include "raster/layers.h"

namespace gradoir {
namespace {

struct CountingCollection {
  TLayerCollection collection{nullptr};
  int changes = 0;
  CountingCollection() { collection.OnChange = [this] { ++changes; }; }
};

TEST(LayerCollection, LayersJoinAtTheEndAndLeaveWhenReleasedWithOneNotificationEach) {
  CountingCollection c;
  auto first = std::make_unique<TBitmapLayer>(&c.collection);
  auto second = std::make_unique<TBitmapLayer>(&c.collection);
  EXPECT_EQ(c.changes, 2);
  EXPECT_EQ(first->Index(), 0);
  EXPECT_EQ(second->Index(), 1);
  first.reset();
  EXPECT_EQ(c.changes, 3);
  ASSERT_EQ(c.collection.Count(), 1);
  EXPECT_EQ(c.collection.Items(0), second.get());
  EXPECT_EQ(second->Index(), 0);
}

TEST(LayerCollection, BatchesDeferToTheLastEndUpdateAndRejectUnpairedOnes) {
  CountingCollection c;
  c.collection.BeginUpdate();
  c.collection.BeginUpdate();
  c.collection.Changed();
  c.collection.EndUpdate();
  EXPECT_EQ(c.changes, 0);
  c.collection.EndUpdate();
  EXPECT_EQ(c.changes, 1);
  try {
    c.collection.EndUpdate();
    FAIL() << "unpaired EndUpdate accepted";
  } catch (const EAssertionFailed& e) {
    EXPECT_STREQ(e.what(), "Unpaired EndUpdate");
  }
  c.collection.BeginUpdate();  // the count did not go negative
  c.collection.Changed();
  EXPECT_EQ(c.changes, 1);
}

TEST(LayerCollection, LayerThatOutlivesItsCollectionIsDetached) {
  auto collection = std::make_unique<TLayerCollection>(nullptr);
  auto layer = std::make_unique<TBitmapLayer>(collection.get());
  collection.reset();
  EXPECT_EQ(layer->LayerCollection(), nullptr);
  layer->SetVisible(true);  // reaches nothing
  layer.reset();            // touches no freed collection (sanitizer build)
}

TEST(LayerNotification, VisibleLayersNotifyEvenWithoutAChangeHiddenOrSilencedOnesDoNot) {
  CountingCollection c;
  TBitmapLayer layer(&c.collection);
  int expected = c.changes;
  layer.SetVisible(true);
  layer.SetLocation(layer.Location());
  layer.Bitmap().SetBitmapSize(4, 4);
  EXPECT_EQ(c.changes, expected += 3);

  layer.SetVisible(false);  // the bit is already clear when it would notify
  layer.SetLocation({1, 2, 3, 4});
  layer.Bitmap().FillAll(0xFF00FF00u);
  EXPECT_EQ(c.changes, expected);

  layer.SetLayerOptions(LOB_VISIBLE | LOB_NO_UPDATE);
  layer.SetVisible(true);
  layer.Bitmap().FillAll(0xFF0000FFu);
  EXPECT_EQ(c.changes, expected);
}

}  // namespace
}  // namespace gradoir
