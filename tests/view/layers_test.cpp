// The layer stack on its own: membership and the notifications a layer sends
// through its collection (a collection without a widget works).
#include <memory>

#include <gtest/gtest.h>

#include "raster/errors.h"
#include "view/layers.h"

namespace gradoir {
namespace {

struct CountingCollection {
  LayerStack collection{nullptr};
  int changes = 0;
  CountingCollection() { collection.onChange = [this] { ++changes; }; }
};

TEST(LayerCollection, LayersJoinAtTheEndAndLeaveWhenReleasedWithOneNotificationEach) {
  CountingCollection c;
  auto first = std::make_unique<BitmapLayer>(&c.collection);
  auto second = std::make_unique<BitmapLayer>(&c.collection);
  EXPECT_EQ(c.changes, 2);
  EXPECT_EQ(first->index(), 0);
  EXPECT_EQ(second->index(), 1);
  first.reset();
  EXPECT_EQ(c.changes, 3);
  ASSERT_EQ(c.collection.count(), 1);
  EXPECT_EQ(c.collection.items(0), second.get());
  EXPECT_EQ(second->index(), 0);
}

TEST(LayerCollection, BatchesDeferToTheLastEndUpdateAndRejectUnpairedOnes) {
  CountingCollection c;
  c.collection.beginUpdate();
  c.collection.beginUpdate();
  c.collection.changed();
  c.collection.endUpdate();
  EXPECT_EQ(c.changes, 0);
  c.collection.endUpdate();
  EXPECT_EQ(c.changes, 1);
  try {
    c.collection.endUpdate();
    FAIL() << "unpaired EndUpdate accepted";
  } catch (const AssertionFailed& e) {
    EXPECT_STREQ(e.what(), "Unpaired EndUpdate");
  }
  c.collection.beginUpdate();  // the count did not go negative
  c.collection.changed();
  EXPECT_EQ(c.changes, 1);
}

TEST(LayerCollection, LayerThatOutlivesItsCollectionIsDetached) {
  auto collection = std::make_unique<LayerStack>(nullptr);
  auto layer = std::make_unique<BitmapLayer>(collection.get());
  collection.reset();
  EXPECT_EQ(layer->layerCollection(), nullptr);
  layer->setVisible(true);  // reaches nothing
  layer.reset();            // touches no freed collection (sanitizer build)
}

TEST(LayerNotification, VisibleLayersNotifyEvenWithoutAChangeHiddenOrSilencedOnesDoNot) {
  CountingCollection c;
  BitmapLayer layer(&c.collection);
  int expected = c.changes;
  layer.setVisible(true);
  layer.setLocation(layer.location());
  layer.bitmap().setBitmapSize(4, 4);
  EXPECT_EQ(c.changes, expected += 3);

  layer.setVisible(false);  // the bit is already clear when it would notify
  layer.setLocation({1, 2, 3, 4});
  layer.bitmap().fillAll(0xFF00FF00u);
  EXPECT_EQ(c.changes, expected);

  layer.setLayerOptions(kLayerVisible | kLayerSilent);
  layer.setVisible(true);
  layer.bitmap().fillAll(0xFF0000FFu);
  EXPECT_EQ(c.changes, expected);
}

}  // namespace
}  // namespace gradoir
