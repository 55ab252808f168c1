#pragma once

#include "measurementplan.h"
#include "noisesource.h"
#include "transistormodel.h"

#include <string>

namespace LpDataGen {

// Writes the text of one synthetic load-pull data file. The same plan gives the same bytes.
class DataFileWriter
{
public:
    explicit DataFileWriter(const MeasurementPlan &plan);

    std::string text();

private:
    void writeHeader();
    void writeDeclarations();
    void writeGammaDeclaration(const GammaAxis &axis);
    void writeColumnNames();
    void writeBlock(double frequencyGHz);
    void writeGammaRows(OperatingPoint point, std::size_t axis);
    void writeRow(const OperatingPoint &point);
    void writeNumber(double value, int decimals);

    const MeasurementPlan &m_plan;
    TransistorModel m_model;
    NoiseSource m_noise;
    std::string m_text;
};

std::string generateDataFile(const MeasurementPlan &plan);

} // namespace LpDataGen
