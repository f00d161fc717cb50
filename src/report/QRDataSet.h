#pragma once
// The little a report needs of a data source: open it, walk its records in
// order and read fields by name. TQRMemoryDataSet keeps rows in memory.

#include "report/QRComponent.h"

#include <cstddef>
#include <string>
#include <vector>

namespace zt::report {

class TQRDataSet {
public:
    virtual ~TQRDataSet() = default;
    virtual void Open() = 0;
    virtual void Close() = 0;
    virtual bool Active() const = 0;
    virtual void First() = 0;
    virtual void Next() = 0;
    // True past the last record (and at once for an empty or closed set).
    virtual bool Eof() const = 0;
    virtual int RecordCount() const = 0;
    virtual bool HasField(const std::string& name) const = 0;
    // The field of the current record as text; empty past the end or for an unknown field.
    virtual std::string FieldByName(const std::string& name) const = 0;
};

class TQRMemoryDataSet : public TQRDataSet {
public:
    explicit TQRMemoryDataSet(std::vector<std::string> fields) : FFields(std::move(fields)) {}
    // A row shorter than the field list leaves the missing fields empty.
    void AddRecord(std::vector<std::string> values) { FRows.push_back(std::move(values)); }

    void Open() override { FActive = true; FRow = 0; }
    void Close() override { FActive = false; }
    bool Active() const override { return FActive; }
    void First() override { FRow = 0; }
    void Next() override { if (FRow < FRows.size()) ++FRow; }
    bool Eof() const override { return !FActive || FRow >= FRows.size(); }
    int RecordCount() const override { return FActive ? static_cast<int>(FRows.size()) : 0; }
    bool HasField(const std::string& name) const override { return fieldIndex(name) >= 0; }
    std::string FieldByName(const std::string& name) const override;

private:
    int fieldIndex(const std::string& name) const;

    std::vector<std::string> FFields;
    std::vector<std::vector<std::string>> FRows;
    std::size_t FRow = 0;
    bool FActive = false;
};

// A data set placed on a form: found by its name, for the expressions of
// every report on that form (the report's run lists it in AllDataSets).
class TQRTable : public TQRComponent, public TQRMemoryDataSet {
public:
    TQRTable(TQRComponent* owner, std::vector<std::string> fields)
        : TQRComponent(owner), TQRMemoryDataSet(std::move(fields))
    {
    }
};

// Every data set owned by `form`, through the components it owns and
// theirs, in creation order.
std::vector<TQRDataSet*> DataSetsOn(const TQRComponent& form);

} // namespace zt::report
