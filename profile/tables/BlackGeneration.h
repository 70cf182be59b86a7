#ifndef BLACKGENERATION_H
#define BLACKGENERATION_H

// How much black ink a colour should be printed with, before the limits:
// none leaves black to where the other inks cannot reach the colour; light,
// medium and heavy bring black in from ever lighter tones and for ever more
// colourful colours; max prints every colour with as much black as it
// allows.
class BlackGeneration
{
public:
    enum Kind { None, Light, Medium, Heavy, Max };

    // blackPoint: the lightness of the darkest colour the printer makes.
    BlackGeneration(Kind kind, double blackPoint);

    // The wanted black ink, 0 to 1, for a relative Lab colour.
    double target(const double lab[3]) const;

private:
    Kind m_kind;
    double m_blackPoint;
};

#endif
