// The layer stack on its own: membership, options and the notifications a
// layer sends through its collection (a collection without a widget works).
#include <memory>

#include <gtest/gtest.h>

#include "raster/errors.h"
#include "raster/layers.h"

namespace gradoir {
namespace {

struct CountingCollection {
  TLayerCollection collection{nullptr};
  int changes = 0;
  int changings = 0;
  CountingCollection() {
    collection.OnChange = [this] { ++changes; };
    collection.OnChanging = [this] { ++changings; };
  }
};

TEST(LayerCollection, NewLayersAppendInOrderAndNotifyOnce) {
  CountingCollection c;
  auto first = std::make_unique<TBitmapLayer>(&c.collection);
  EXPECT_EQ(c.changes, 1);
  auto second = std::make_unique<TBitmapLayer>(&c.collection);
  EXPECT_EQ(c.changes, 2);
  ASSERT_EQ(c.collection.Count(), 2);
  EXPECT_EQ(c.collection.Items(0), first.get());
  EXPECT_EQ(c.collection.Items(1), second.get());
  EXPECT_EQ(first->Index(), 0);
  EXPECT_EQ(second->Index(), 1);
  EXPECT_EQ(first->LayerCollection(), &c.collection);
}

TEST(LayerCollection, ReleasedLayerLeavesTheListWithOneNotification) {
  CountingCollection c;
  auto first = std::make_unique<TBitmapLayer>(&c.collection);
  auto second = std::make_unique<TBitmapLayer>(&c.collection);
  const int before = c.changes;
  first.reset();
  EXPECT_EQ(c.changes, before + 1);
  ASSERT_EQ(c.collection.Count(), 1);
  EXPECT_EQ(c.collection.Items(0), second.get());
  EXPECT_EQ(second->Index(), 0);
}

TEST(LayerCollection, BatchesDeferToTheLastEndUpdateAndRejectUnpairedOnes) {
  CountingCollection c;
  c.collection.BeginUpdate();
  c.collection.BeginUpdate();
  c.collection.Changed();
  EXPECT_EQ(c.changes, 0);
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
  EXPECT_EQ(c.changes, 1);
  // The count did not go negative: a new batch still defers.
  c.collection.BeginUpdate();
  c.collection.Changed();
  EXPECT_EQ(c.changes, 1);
}

TEST(LayerCollection, LayerThatOutlivesItsCollectionIsDetached) {
  auto collection = std::make_unique<TLayerCollection>(nullptr);
  auto layer = std::make_unique<TBitmapLayer>(collection.get());
  collection.reset();
  EXPECT_EQ(layer->LayerCollection(), nullptr);
  EXPECT_EQ(layer->Index(), -1);
  layer->SetVisible(true);  // must reach nothing
  layer.reset();            // must not touch the freed collection
}

TEST(LayerOptions, DefaultsOfEachLevel) {
  TCustomLayer custom(nullptr);
  EXPECT_EQ(custom.LayerOptions(), 0x80000000u);
  TPositionedLayer positioned(nullptr);
  EXPECT_EQ(positioned.LayerOptions(), 0xA0000000u);
  EXPECT_EQ(positioned.Location(), (TRealRect{0, 0, 64, 64}));
  EXPECT_FALSE(positioned.Scaled);
  TBitmapLayer bitmap_layer(nullptr);
  EXPECT_TRUE(bitmap_layer.Bitmap().IsEmpty());
  EXPECT_EQ(bitmap_layer.Bitmap().DrawMode(), dmOpaque);
}

TEST(LayerNotification, VisibleLayerNotifiesEvenWithoutAChange) {
  CountingCollection c;
  TBitmapLayer layer(&c.collection);
  const int before = c.changes;
  layer.SetVisible(true);
  EXPECT_EQ(c.changes, before + 1);
  layer.SetLocation(layer.Location());
  EXPECT_EQ(c.changes, before + 2);
  EXPECT_EQ(c.changings, 2);
}

TEST(LayerNotification, HidingSendsNothingAndAHiddenLayerStaysSilent) {
  CountingCollection c;
  TBitmapLayer layer(&c.collection);
  const int before = c.changes;
  layer.SetVisible(false);
  EXPECT_FALSE(layer.Visible());
  EXPECT_EQ(c.changes, before);
  layer.SetLocation(TRealRect{1, 2, 3, 4});
  layer.Bitmap().SetBitmapSize(5, 5);
  EXPECT_EQ(c.changes, before);
  EXPECT_EQ(layer.Location(), (TRealRect{1, 2, 3, 4}));
  layer.SetVisible(true);
  EXPECT_EQ(c.changes, before + 1);
}

TEST(LayerNotification, BitmapChangesReachTheCollection) {
  CountingCollection c;
  TBitmapLayer layer(&c.collection);
  const int before = c.changes;
  layer.Bitmap().SetBitmapSize(4, 4);
  EXPECT_EQ(c.changes, before + 1);
  layer.Bitmap().FillAll(0xFF00FF00u);
  EXPECT_EQ(c.changes, before + 2);
}

TEST(LayerNotification, NoUpdateBitSilencesTheLayer) {
  CountingCollection c;
  TBitmapLayer layer(&c.collection);
  layer.SetLayerOptions(LOB_VISIBLE | LOB_NO_UPDATE);
  const int before = c.changes;
  const int changings_before = c.changings;
  layer.SetVisible(true);
  layer.SetLocation(TRealRect{1, 1, 2, 2});
  layer.Bitmap().SetBitmapSize(3, 3);
  EXPECT_EQ(c.changes, before);
  EXPECT_EQ(c.changings, changings_before);
}

TEST(LayerNotification, LoneLayerWithoutCollectionWorks) {
  TBitmapLayer layer(nullptr);
  layer.Bitmap().SetBitmapSize(8, 8);
  layer.Bitmap().FillAll(0xFF123456u);
  layer.SetLocation(TRealRect{0, 0, 8, 8});
  layer.SetVisible(false);
  EXPECT_EQ(layer.Bitmap().PixelAt(7, 7), 0xFF123456u);
}

}  // namespace
}  // namespace gradoir
