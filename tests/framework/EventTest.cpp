#include "Event.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class TListener : public TObject {
public:
  void Heard(TObject* sender, const std::string& text) {
    Senders.push_back(sender);
    Texts.push_back(text);
  }
  // Reassigns the very event that is being raised, as a handler may.
  void Unbinds(TObject*, const std::string& text) {
    Texts.push_back(text);
    *Event = {};
  }

  std::vector<TObject*> Senders;
  std::vector<std::string> Texts;
  TEvent<const std::string&>* Event = nullptr;
};

TEST(EventTest, RaisesTheBoundMethodWithTheSenderFirstAndOnlyWhenAssigned) {
  TListener listener;
  TObject sender;
  TEvent<const std::string&> event;
  EXPECT_FALSE(event.Assigned());
  event(&sender, "unheard");

  event = Bind<&TListener::Heard>(&listener);
  EXPECT_TRUE(event.Assigned());
  event(&sender, "one");
  event(&sender, "two");
  EXPECT_EQ(listener.Texts, (std::vector<std::string>{"one", "two"}));
  EXPECT_EQ(listener.Senders, (std::vector<TObject*>{&sender, &sender}));

  event = {};
  event(&sender, "three");
  EXPECT_EQ(listener.Texts.size(), 2u);
}

TEST(EventTest, AHandlerMayClearTheEventItIsRaisedBy) {
  TListener listener;
  TEvent<const std::string&> event = Bind<&TListener::Unbinds>(&listener);
  listener.Event = &event;
  event(nullptr, "once");
  event(nullptr, "never");
  EXPECT_EQ(listener.Texts, std::vector<std::string>{"once"});
}

} // namespace
