// Errors and simulation errors: message text, model object and value.
#include <gtest/gtest.h>

#include "CountingErrors.h"

TEST(ErrorObjects, MessageTextComesFromTheCatalogOrNamesKeyAndCatalog) {
  struct Case {
    const char* key;
    const char* catalog;
    const char* text;  // null: the catalog's text, not the fallback
  };
  for (Case c : {Case{"ERR_0001", "VelloranAgentError", nullptr},
                 Case{"ERR_9999", "VelloranAgentError", "ERR_9999 (VelloranAgentError)"},
                 Case{"K", "NoSuchCatalog", "K (NoSuchCatalog)"}, Case{nullptr, nullptr, " ()"}}) {
    auto* error = new NUVError(c.key, c.catalog);
    std::string text = error->GetMessageText().Std();
    if (c.text) {
      EXPECT_EQ(text, c.text);
    } else {
      EXPECT_EQ(text.find(std::string(c.key) + " ("), std::string::npos) << text;
    }
    error->Release();
  }
}

TEST(ErrorObjects, SimulationErrorHoldsItsModelObjectAndMaybeAValue) {
  auto* model = new AliasedObject("Robot.1");
  auto* error = new NUVSimulationError("K", "C");
  NUVSimValue value(-4.0);
  EXPECT_EQ(error->GetSimValue(value), E_FAIL);
  EXPECT_EQ(value, NUVSimValue(-4.0)) << "no value: the output stays as it was";
  error->SetSimValue(NUVSimValue(0.0));
  EXPECT_EQ(error->GetSimValue(value), S_OK) << "zero is a value like any other once set";
  EXPECT_EQ(value, NUVSimValue(0.0));

  error->SetModelObject(NUVBaseUnknown_var(model));
  EXPECT_EQ(model->GetRefCount(), 2u) << "the error holds its model object";
  error->SetModelObject(NUVBaseUnknown_var());
  EXPECT_EQ(model->GetRefCount(), 1u) << "replacing it gives the reference back";
  error->SetModelObject(NUVBaseUnknown_var(model));
  error->Release();
  EXPECT_EQ(model->GetRefCount(), 1u) << "destroying the error released the model object";
  model->Release();
}
