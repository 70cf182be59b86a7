#include "GamutWireFrame.h"

GamutWireFrame::GamutWireFrame(const GamutHull& hull)
{
    if (hull.isEmpty())
        return;
    constexpr int N = GamutHull::SAMPLES_PER_SIDE;
    const std::vector<GamutVertex>& vertices = hull.vertices();
    auto sample = [&vertices](int face, int i, int j) -> const GamutVertex& {
        return vertices[std::size_t(face) * N * N + std::size_t(i) * N + std::size_t(j)];
    };
    for (int face = 0; face < GamutHull::FACE_COUNT; ++face) {
        for (int line = 0; line < N; line += LINE_STEP) {
            for (int step = 0; step + 1 < N; ++step) {
                m_lines.push_back(sample(face, line, step));
                m_lines.push_back(sample(face, line, step + 1));
                m_lines.push_back(sample(face, step, line));
                m_lines.push_back(sample(face, step + 1, line));
            }
        }
    }
}
