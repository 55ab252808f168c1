#include "smithchartjson.h"

#include "smithchartrenderer.h"

#include <charconv>
#include <cmath>
#include <vector>

namespace {

// Appends JSON texts to one buffer: a chart of many points runs to megabytes.
class JsonText
{
public:
    JsonText &operator<<(const char *text)
    {
        m_text += text;
        return *this;
    }

    JsonText &operator<<(double value)
    {
        if (!std::isfinite(value))
            return *this << "null";
        char digits[32];
        const auto result = std::to_chars(std::begin(digits), std::end(digits), value);
        m_text.append(digits, int(result.ptr - digits));
        return *this;
    }

    JsonText &operator<<(int value) { return *this << double(value); }

    JsonText &operator<<(const QString &text)
    {
        m_text += '"';
        for (const char byte : text.toUtf8()) {
            if (byte == '"' || byte == '\\') {
                m_text += '\\';
                m_text += byte;
            } else if (static_cast<unsigned char>(byte) < 0x20) {
                m_text += "\\u00";
                m_text += "0123456789abcdef"[byte >> 4];
                m_text += "0123456789abcdef"[byte & 15];
            } else {
                m_text += byte;
            }
        }
        m_text += '"';
        return *this;
    }

    JsonText &operator<<(std::complex<double> gamma)
    {
        return *this << gamma.real() << ", " << gamma.imag();
    }

    // "key": value, with its line's indent; the last of an object has no comma.
    template<typename T> JsonText &member(const char *key, const T &value, bool last = false)
    {
        *this << "  \"" << key << "\": " << value;
        return *this << (last ? "\n" : ",\n");
    }

    // An array of the items, one to a line.
    template<typename Items, typename Write>
    JsonText &array(const char *key, const Items &items, Write write)
    {
        *this << "  \"" << key << "\": [";
        const char *separator = "\n    ";
        for (const auto &item : items) {
            *this << separator;
            write(item);
            separator = ",\n    ";
        }
        return *this << (items.empty() ? "],\n" : "\n  ],\n");
    }

    QByteArray text() const { return m_text; }

private:
    QByteArray m_text;
};

JsonText &operator<<(JsonText &json, const SmithChartContent::Setting &setting)
{
    return json << "{\"name\": " << setting.name << ", \"value\": " << setting.value
                << ", \"unit\": " << setting.unit << "}";
}

void writeSettings(JsonText &json, const SmithChartContent &content)
{
    json << "  \"frequency\": ";
    if (content.frequency)
        json << *content.frequency;
    else
        json << "null";
    json << ",\n  \"drive\": {\"held\": [";
    const char *separator = "";
    for (const SmithChartContent::Setting &setting : content.held) {
        json << separator << setting;
        separator = ", ";
    }
    json << "], \"compression\": ";
    if (content.compression)
        json << *content.compression;
    else
        json << "null";
    json << "},\n";
}

} // namespace

QByteArray SmithChartJson::of(const SmithChartRenderer &renderer)
{
    const SmithChartContent &content = renderer.content();
    JsonText json;
    json << "{\n";
    json.member("gamma", content.coefficient);
    writeSettings(json, content);
    if (content.quantity.isEmpty())
        json.member("quantity", "null");
    else
        json.member("quantity", content.quantity);
    json.member("unit", content.unit);
    // The points' positions in "points", for the triangles, which index the valued points.
    std::vector<int> position(content.gammas.size());
    for (int i = 0; i < int(renderer.shown().size()); ++i)
        position[renderer.shown()[i]] = i;
    json.array("points", renderer.shown(), [&](int i) {
        json << "[" << content.gammas[i] << ", "
             << (i < int(content.values.size()) ? content.values[i] : std::nan("")) << "]";
    });
    json.array("uncompressed", content.uncompressed,
               [&](std::complex<double> gamma) { json << "[" << gamma << "]"; });
    const std::vector<int> &valued = renderer.valued();
    json.array("triangles", renderer.triangles(), [&](const DelaunayTriangulation::Triangle &t) {
        json << "[" << position[valued[t.a]] << ", " << position[valued[t.b]] << ", "
             << position[valued[t.c]] << "]";
    });
    json.array("levels", renderer.levels(), [&](double level) { json << level; });
    json.array("contours", renderer.contours(), [&](const SmithChartRenderer::Contour &contour) {
        json << "{\"level\": " << contour.level << ", \"segments\": [";
        const char *separator = "\n      ";
        for (const QLineF &segment : contour.segments) {
            json << separator << "[" << segment.x1() << ", " << segment.y1() << ", " << segment.x2()
                 << ", " << segment.y2() << "]";
            separator = ",\n      ";
        }
        json << "\n    ]}";
    });
    json << "  \"maximum\": ";
    if (const std::optional<int> maximum = renderer.maximum())
        json << "[" << content.gammas[*maximum] << ", " << content.values[*maximum] << "],\n";
    else
        json << "null,\n";
    json.member("note", renderer.contourNote() + QLatin1Char('\n') + renderer.pointNote(), true);
    json << "}\n";
    return json.text();
}
