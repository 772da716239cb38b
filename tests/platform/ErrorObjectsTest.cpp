// Errors and simulation errors: message text, type, model object and
// simulated value; the user's error option.
#include <gtest/gtest.h>

#include "CountingErrors.h"
#include "NUVSimGlobalAccessToProbesOptions.h"

TEST(ErrorObjects, MessageTextComesFromTheCatalogOrNamesKeyAndCatalog) {
  auto* shipped = new NUVError("ERR_0001", "VelloranAgentError");
  EXPECT_NE(shipped->GetMessageText().Std().find("real-time factor"), std::string::npos)
      << shipped->GetMessageText().Std();
  EXPECT_EQ(shipped->GetInformationOnErrorType(), NUVErrorTypeError) << "errors start as errors";
  shipped->SetInformationOnErrorType(NUVErrorTypeFatal);
  EXPECT_EQ(shipped->GetInformationOnErrorType(), NUVErrorTypeFatal);
  shipped->Release();

  auto* unknownKey = new NUVError("ERR_9999", "VelloranAgentError");
  EXPECT_EQ(unknownKey->GetMessageText(), NUVUnicodeString("ERR_9999 (VelloranAgentError)"));
  unknownKey->Release();
  auto* nulls = new NUVError(nullptr, nullptr);
  EXPECT_EQ(nulls->GetMessageText(), NUVUnicodeString(" ()"));
  nulls->Release();
}

TEST(ErrorObjects, SimulationErrorHoldsItsModelObjectAndValue) {
  auto* model = new AliasedObject("Robot.1");
  auto* error = new NUVSimulationError("K", "C");
  EXPECT_TRUE(error->IsAKindOf("NUVError"));
  EXPECT_FALSE(error->GetModelObject());
  NUVSimValue value(-4.0);
  EXPECT_FALSE(error->HasSimValue());
  EXPECT_EQ(error->GetSimValue(value), E_FAIL);
  EXPECT_EQ(value, NUVSimValue(-4.0)) << "no value: the output stays as it was";

  error->SetModelObject(NUVBaseUnknown_var(model));
  EXPECT_EQ(model->GetRefCount(), 2u) << "the error holds its model object";
  EXPECT_EQ(error->GetModelObject().get(), model);
  error->SetSimValue(NUVSimValue(0.0));
  EXPECT_TRUE(error->HasSimValue()) << "zero is a value like any other once set";
  EXPECT_EQ(error->GetSimValue(value), S_OK);
  EXPECT_EQ(value, NUVSimValue(0.0));

  error->SetModelObject(NUVBaseUnknown_var());
  EXPECT_EQ(model->GetRefCount(), 1u);
  error->SetModelObject(NUVBaseUnknown_var(model));
  error->Release();
  EXPECT_EQ(model->GetRefCount(), 1u) << "destroying the error released the model object";
  model->Release();
}

TEST(ErrorObjects, ErrorOptionIsReadAtEachCall) {
  using Options = NUVSimGlobalAccessToProbesOptions;
  Options::ErrorOptions options = static_cast<Options::ErrorOptions>(42);
  EXPECT_EQ(Options::GetErrorOptions(options), S_OK);
  EXPECT_EQ(options, Options::ErrorsReported) << "errors are reported by default";
  Options::SetErrorOptions(static_cast<Options::ErrorOptions>(2));
  Options::GetErrorOptions(options);
  EXPECT_EQ(static_cast<int>(options), 2) << "values without a name are kept as set";
  Options::ResetToDefaults();
  Options::GetErrorOptions(options);
  EXPECT_EQ(options, Options::ErrorsReported);
}
