#include "db_rt/ZYMQIXDbStatsCommon.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

#include "rt/ZYMQIXConsts.h"

namespace zymqix {

vcl::TDataSet* RequireOpenDataSet(vcl::TDataSource* DataSource) {
  if (!DataSource) vcl::DatabaseError(rsNoDataSource);
  vcl::TDataSet* DataSet = DataSource->GetDataSet();
  if (!DataSet) vcl::DatabaseError(rsNoDataSet);
  if (!DataSet->GetActive()) vcl::DatabaseError(rsDataSetClosed);
  return DataSet;
}

vcl::Extended ReadExtended(const vcl::TField* Field) {
  if (Field->GetDataType() == vcl::ftBCD && !Field->IsNull()) return Field->GetAsCurrency().ToExtended();
  return Field->GetAsFloat();
}

double ToDoubleResult(vcl::Extended R) {
  if (std::isnan(R)) throw vcl::EMathError(rsResultNaN);
  if (std::fabs(R) > DBL_MAX) throw vcl::EMathError(rsResultRange + vcl::FloatToStr(R));
  return static_cast<double>(R);
}

void FewerRecordsError(int Read, int Claimed) {
  vcl::DatabaseError(std::string(rsFewerRecords) + " (" + std::to_string(Read) + " of " + std::to_string(Claimed) +
                     ").");
}

TZYMStatsBinding::TZYMStatsBinding(vcl::TComponent* Control) : FControl(Control), FLink(new vcl::TFieldDataLink) {
  FLink->SetControl(Control);
}

TZYMStatsBinding::~TZYMStatsBinding() { Release(); }

void TZYMStatsBinding::Release() {
  delete FLink;
  FLink = nullptr;
}

void TZYMStatsBinding::SetDataSource(vcl::TDataSource* Value) {
  if (!(FLink->GetDataSourceFixed() && FControl->IsLoading())) FLink->SetDataSource(Value);
  if (Value) Value->FreeNotification(FControl);
}

void TZYMStatsBinding::Notification(vcl::TComponent* AComponent, vcl::TOperation Operation) {
  if (Operation == vcl::TOperation::opRemove && FLink && AComponent == GetDataSource()) SetDataSource(nullptr);
}

vcl::TField* TZYMStatsBinding::RequireField() const {
  vcl::TDataSet* DataSet = RequireOpenDataSet(GetDataSource());
  if (vcl::TField* Field = FLink->GetField()) return Field;
  if (FLink->GetFieldName().empty()) vcl::DatabaseError(rsNoDataField);
  return DataSet->FieldByName(FLink->GetFieldName());  // raises the dataset's own "not found"
}

void CopyFieldValues(const TZYMStatsBinding& Binding, TZYMFloatVector& Values) {
  vcl::TField* Field = Binding.RequireField();
  vcl::TDataSet* DataSet = Field->GetDataSet();
  TZYMFloatVector Copy(static_cast<size_t>(std::max(DataSet->GetRecordCount(), 0)));
  CopyRecords(DataSet, [&](size_t I) { Copy[I] = ReadExtended(Field); });
  Values.swap(Copy);
}

}  // namespace zymqix
