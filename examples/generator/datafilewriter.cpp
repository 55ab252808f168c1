#include "datafilewriter.h"

#include <charconv>
#include <cmath>

namespace LpDataGen {

namespace {

// The member of an operating point that a gamma axis sets.
std::complex<double> OperatingPoint::*gammaOf(GammaRole role)
{
    switch (role) {
    case GammaRole::SecondHarmonicLoad:
        return &OperatingPoint::harmonicLoad;
    case GammaRole::Source:
        return &OperatingPoint::source;
    default:
        return &OperatingPoint::load;
    }
}

// The number rounded to `decimals`; never "-0.00".
void appendNumber(std::string &text, double value, int decimals)
{
    const double scale = std::pow(10.0, decimals);
    double rounded = std::nearbyint(value * scale) / scale;
    if (rounded == 0.0)
        rounded = 0.0;
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, rounded, std::chars_format::fixed, decimals);
    text.append(buffer, result.ptr);
}

std::string shortestText(double value)
{
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

} // namespace

DataFileWriter::DataFileWriter(const MeasurementPlan &plan)
    : m_plan(plan)
    , m_noise(plan.seed)
{}

std::string DataFileWriter::text()
{
    m_noise = NoiseSource(m_plan.seed);
    m_text.clear();
    writeHeader();
    writeDeclarations();
    writeColumnNames();
    for (double frequency : m_plan.frequenciesGHz)
        writeBlock(frequency);
    return m_text;
}

void DataFileWriter::writeHeader()
{
    m_text += "! " + m_plan.title + "\n";
    m_text += "! Synthetic load-pull measurement written by lp-datagen, seed " +
              std::to_string(m_plan.seed) + ": plausible numbers, not measured ones.\n";
    m_text += "LPDATA 1\n";
}

void DataFileWriter::writeDeclarations()
{
    m_text += "VAR=<Freq>, Units=<GHz>, Type=<Frequency>\n";
    if (!m_plan.supplyVolts.empty())
        m_text += "VAR=<Vdd>, Units=<V>\n";
    m_text += "VAR=<Pin_avail>, Units=<dBm>, Type=<Power>\n";
    for (const GammaAxis &axis : m_plan.gammas)
        writeGammaDeclaration(axis);
    m_text += "OUT=<Pout>, Units=<dBm>\n"
              "OUT=<Gain>, Units=<dB>\n"
              "OUT=<PAE>, Units=<%>\n"
              "OUT=<Id>, Units=<mA>\n";
    if (m_plan.withOutputVoltage)
        m_text += "OUT=<Vout>, Units=<V>, Complex=<yes>\n";
}

void DataFileWriter::writeGammaDeclaration(const GammaAxis &axis)
{
    m_text += "GAMMA=<" + axis.name + ">";
    if (axis.statesHarmonic)
        m_text += axis.role == GammaRole::SecondHarmonicLoad ? ", Harmonic=<2>" : ", Harmonic=<1>";
    if (!axis.domain.empty())
        m_text += ", Domain=<" + axis.domain + ">";
    if (axis.fixed) {
        m_text += ", Value=<";
        appendNumber(m_text, axis.points.front().real(), 4);
        m_text += ", ";
        appendNumber(m_text, axis.points.front().imag(), 4);
        m_text += ">";
    }
    m_text += "\n";
}

void DataFileWriter::writeColumnNames()
{
    m_text += m_plan.supplyVolts.empty() ? "" : "Vdd ";
    for (const GammaAxis &axis : m_plan.gammas) {
        if (!axis.fixed)
            m_text += "Re(" + axis.name + ") Im(" + axis.name + ") ";
    }
    m_text += "Pin_avail Pout Gain PAE Id";
    m_text += m_plan.withOutputVoltage ? " Re(Vout) Im(Vout)\n" : "\n";
}

void DataFileWriter::writeBlock(double frequencyGHz)
{
    m_text += "Freq = " + shortestText(frequencyGHz) + " GHz\n";
    OperatingPoint point;
    point.frequencyGHz = frequencyGHz;
    for (const GammaAxis &axis : m_plan.gammas)
        point.*gammaOf(axis.role) = axis.points.front();
    if (m_plan.supplyVolts.empty()) {
        writeGammaRows(point, 0);
        return;
    }
    for (double volts : m_plan.supplyVolts) {
        point.supplyVolts = volts;
        writeGammaRows(point, 0);
    }
}

// Runs through the points of the gamma axes from `axis` on, then through input power.
void DataFileWriter::writeGammaRows(OperatingPoint point, std::size_t axis)
{
    if (axis == m_plan.gammas.size()) {
        for (double power : m_plan.inputPowersDbm) {
            point.inputPowerDbm = power;
            writeRow(point);
        }
        return;
    }
    for (std::complex<double> gamma : m_plan.gammas[axis].points) {
        point.*gammaOf(m_plan.gammas[axis].role) = gamma;
        writeGammaRows(point, axis + 1);
    }
}

void DataFileWriter::writeRow(const OperatingPoint &point)
{
    const Performance measured = m_model.evaluate(point);
    const double outputPower = measured.outputPowerDbm + 0.02 * m_noise.gaussian();
    if (!m_plan.supplyVolts.empty())
        writeNumber(point.supplyVolts, 1);
    for (const GammaAxis &axis : m_plan.gammas) {
        if (axis.fixed)
            continue;
        const std::complex<double> gamma = point.*gammaOf(axis.role);
        writeNumber(gamma.real(), 4);
        writeNumber(gamma.imag(), 4);
    }
    writeNumber(point.inputPowerDbm, 2);
    writeNumber(outputPower, 3);
    writeNumber(outputPower - point.inputPowerDbm, 3);
    writeNumber(measured.paePercent + 0.15 * m_noise.gaussian(), 2);
    writeNumber(measured.drainCurrentMilliAmps * (1.0 + 0.003 * m_noise.gaussian()), 1);
    if (m_plan.withOutputVoltage) {
        const auto voltage = measured.outputVoltage * std::polar(1.0, 0.002 * m_noise.gaussian());
        writeNumber(voltage.real(), 3);
        writeNumber(voltage.imag(), 3);
    }
    m_text.back() = '\n';
}

void DataFileWriter::writeNumber(double value, int decimals)
{
    appendNumber(m_text, value, decimals);
    m_text += ' ';
}

std::string generateDataFile(const MeasurementPlan &plan)
{
    return DataFileWriter(plan).text();
}

} // namespace LpDataGen
